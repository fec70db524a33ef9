// Track analysis: any track bytes with any trigger values the window accepts
// (three load formats, "Noise %" 0-100, "Silence" and "Min. size" 0-1,000,000).
// The fast detector, fed in any chunking, must find exactly the sounds of the
// plain state machine, and so must the one-pass analysis of a track file.
#include <cstdint>
#include <cstring>
#include <vector>

#include "fuzz_temp_file.h"
#include "reference_detector.h"
#include "sound_detector.h"
#include "sound_table.h"
#include "track_analyzer.h"
#include "track_file.h"
#include "wave_image.h"

using namespace talvik;

namespace {

std::uint32_t u32(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Header: load format, noise, silence (4 bytes), min size (4 bytes), save
    // format, chunking seed; the rest is the track.
    constexpr std::size_t kHeader = 12;
    if (size < kHeader) return 0;
    static const SampleFormat formats[] = {SampleFormat::Raw8, SampleFormat::Wav8, SampleFormat::Bit16};
    const SampleFormat load = formats[data[0] % 3];
    const int noise = data[1] % 101;
    const std::int64_t silence = u32(data + 2) % 1000001;
    const std::int64_t minSize = u32(data + 6) % 1000001;
    const SampleFormat save = formats[data[10] % 3];
    std::uint32_t chunking = data[11] | 1u;
    const std::uint8_t* track = data + kHeader;
    const std::size_t trackBytes = size - kHeader;

    const TriggerParams params = TriggerParams::Make(load, noise, silence);
    ReferenceDetector plain(params);
    plain.feed(track, trackBytes);

    SoundDetector fast(params);
    for (std::size_t at = 0; at < trackBytes;) {
        chunking = chunking * 1103515245u + 12345u;
        std::size_t n = 1 + (chunking >> 16) % 4099;
        if (n > trackBytes - at) n = trackBytes - at;
        fast.feed(track + at, n);
        at += n;
    }
    FUZZ_CHECK(fast.sounds() == plain.sounds());

    const auto path = fuzzing::writeScratch("track01.RAW", track, trackBytes);
    TrackFile file(path);
    TrackAnalyzer analyzer;
    std::vector<Sound> found;
    WaveImage overview;
    analyzer.analyze(file, params, found, &overview);
    FUZZ_CHECK(found == plain.sounds());

    const std::int64_t samples = Is16Bit(load) ? static_cast<std::int64_t>(trackBytes / 2)
                                               : static_cast<std::int64_t>(trackBytes);
    for (const Sound& s : found) FUZZ_CHECK(0 <= s.start && s.start < s.end && s.end <= samples);

    SoundTable table;
    table.replace(found);
    const int marked = table.markedCount();
    table.applyMinSize(minSize, save);
    FUZZ_CHECK(table.markedCount() <= marked);
    return 0;
}
