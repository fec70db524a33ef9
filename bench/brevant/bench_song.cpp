// Writes the render benchmark's song into a folder: 10 tracks of noise and tone
// (even ones stereo, odd ones mono, 44100 Hz) and "bench.sng" mixing them with
// assorted volumes, pans and a boost; with --reference, also the mix as
// playback makes it block by block, which a render must equal byte for byte.
//
//   brevant_bench_song DIR [--seconds N] [--reference OUT.wav]
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "block_by_block_mix.h"
#include "file_replace.h"
#include "song_file.h"
#include "wave_output.h"

namespace {

bool writeTrack(const std::string& path, std::uint16_t channels, int seconds, unsigned seed) {
    brevant::WaveFileWriter w;
    if (!brevant::startWaveOutput(w, path, brevant::WaveFormat::pcm(channels, 44100, 16)))
        return false;
    std::mt19937 rng(seed);
    std::normal_distribution<double> noise(0.0, 6000.0);
    std::vector<std::int16_t> second(static_cast<std::size_t>(44100) * channels);
    for (int s = 0; s < seconds; ++s) {
        for (std::size_t i = 0; i < second.size(); ++i) {
            const double t = static_cast<double>(i / channels) / 44100.0;
            const double v =
                8000.0 * std::sin(2 * 3.14159265 * (110.0 * (seed + 1)) * t) + noise(rng);
            second[i] = static_cast<std::int16_t>(std::clamp(v, -32768.0, 32767.0));
        }
        if (!w.write(second.data(), second.size() * 2))
            return false;
    }
    return static_cast<bool>(brevant::finishWaveOutput(w));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: brevant_bench_song DIR [--seconds N] [--reference OUT.wav]\n");
        return 2;
    }
    const std::string dir = argv[1];
    int seconds = 180;
    std::string reference;
    for (int i = 2; i + 1 < argc; i += 2) {
        const std::string a = argv[i];
        if (a == "--seconds")
            seconds = std::atoi(argv[i + 1]);
        else if (a == "--reference")
            reference = argv[i + 1];
    }
    brevant::Song song;
    for (int i = 0; i < 10; ++i) {
        const bool stereo = i % 2 == 0;
        brevant::Track& t = song.track(i);
        t.fileName = dir + "/track" + std::to_string(i) + ".wav";
        t.stereo = stereo ? 1 : 0;
        t.listIndex = i;
        t.volume = static_cast<std::int16_t>(60 + 4 * i);
        t.pan = static_cast<std::int16_t>(20 * i);
        if (!writeTrack(t.fileName, stereo ? 2 : 1, seconds, static_cast<unsigned>(i)))
            return 1;
    }
    song.trackCount = 10;
    song.boost = 30;
    std::vector<std::uint8_t> bytes;
    if (!brevant::writeSongFile(song, bytes) ||
        brevant::replaceFileContents(dir + "/bench.sng", bytes) != brevant::ReplaceResult::Done) {
        return 1;
    }
    if (!reference.empty() && !brevant::testing::mixBlockByBlock(song, reference))
        return 1;
    return 0;
}
