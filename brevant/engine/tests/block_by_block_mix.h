// The mix as playback makes it, one block of every track per read, written to
// a stereo WAVE file: the yardstick the render's pieces must equal byte for byte.
#pragma once

#include <string>
#include <vector>

#include "block_reader.h"
#include "mix_gains.h"
#include "mixer.h"
#include "song.h"
#include "wave_output.h"

namespace brevant::testing {

inline bool mixBlockByBlock(const Song& song, const std::string& path) {
    BlockReader reader;
    if (!reader.open(song))
        return false;
    const MixGains gains = recomputeGains(song);
    WaveFileWriter out;
    if (!startWaveOutput(out, path, WaveFormat::pcm(2, reader.trackFormat().samplesPerSec, 16)))
        return false;
    std::vector<std::int16_t> block(2 * kBlockFrames);
    bool ok = true;
    while (ok && reader.readBlock(song) && !reader.endOfData()) {
        mixStereo(reader.mixInputs(song, gains), gains.mixDivisor, block.data(), kBlockFrames);
        ok = out.write(block.data(), block.size() * 2);
    }
    return finishWaveOutput(out) && ok;
}

}  // namespace brevant::testing
