#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "reference_detector.h"
#include "sound_detector.h"
#include "track_builder.h"

namespace talvik {
namespace {

using testing::TrackBuilder;
using F = SampleFormat;
using Sounds = std::vector<Sound>;

std::string Show(const Sounds& sounds) {
    std::ostringstream out;
    for (const Sound& s : sounds) {
        out << '[' << s.start << ',' << s.end << ") ";
    }
    return sounds.empty() ? std::string("none") : out.str();
}

// Feeds in analysis blocks, as a track file is read.
template <typename Detector>
Sounds Detect(const TriggerParams& params, const std::vector<std::uint8_t>& bytes,
              std::size_t chunk = 0) {
    Detector d(params);
    if (chunk == 0) {
        chunk = AnalysisBlockBytes(params.load);
    }
    for (std::size_t at = 0; at < bytes.size(); at += chunk) {
        d.feed(bytes.data() + at, std::min(chunk, bytes.size() - at));
    }
    return d.sounds();
}

TEST(NoiseBand, ShareOfFullScaleInBothFormats) {
    struct Case {
        int percent, band8, band16;
    } cases[] = {{0, 0, 0},      {1, 1, 327},     {4, 5, 1310},     {5, 6, 1638},
                 {10, 12, 3276}, {50, 63, 16383}, {100, 127, 32767}};
    for (const Case& c : cases) {
        EXPECT_EQ(NoiseBand(F::Raw8, c.percent), c.band8) << c.percent;
        EXPECT_EQ(NoiseBand(F::Wav8, c.percent), c.band8) << c.percent;
        EXPECT_EQ(NoiseBand(F::Bit16, c.percent), c.band16) << c.percent;
    }
}

struct TriggerCase {
    const char* name;
    F load;
    int noise;
    std::int64_t silence;
    TrackBuilder track;
    Sounds expected;
};

std::vector<TriggerCase> TriggerCases() {
    const std::int64_t s = 20;
    std::vector<TriggerCase> cases;
    auto add = [&](const char* name, F load, int noise, std::int64_t silence, const TrackBuilder& t,
                   Sounds expected) {
        cases.push_back({name, load, noise, silence, t, std::move(expected)});
    };
    add("last loud sample is outside the sound", F::Raw8, 5, s,
        TrackBuilder(F::Raw8).quiet(100).loud(100).quiet(s + 1), {{100, 199}});
    add("quiet start of file opens nothing", F::Wav8, 5, s,
        TrackBuilder(F::Wav8).quiet(9).loud(10).quiet(s + 1), {{9, 18}});
    add("sound open at end of file is not counted", F::Raw8, 5, s,
        TrackBuilder(F::Raw8).loud(30).quiet(s + 1).loud(50).quiet(s), {{0, 29}});
    add("a gap of exactly Silence quiet samples does not split", F::Raw8, 5, s,
        TrackBuilder(F::Raw8).loud(50).quiet(s).loud(50).quiet(s + 1), {{0, 119}});
    add("a gap of Silence + 1 quiet samples splits", F::Raw8, 5, s,
        TrackBuilder(F::Raw8).loud(50).quiet(s + 1).loud(50).quiet(s + 1), {{0, 49}, {71, 120}});
    add("single loud sample stays open and takes in the silence", F::Raw8, 5, s,
        TrackBuilder(F::Raw8).quiet(5).loud(1).quiet(3 * s).loud(40).quiet(s + 1), {{5, 105}});
    add("noise 0: nothing is quiet, nothing closes", F::Raw8, 0, s,
        TrackBuilder(F::Raw8).loud(10).quiet(1000), {});
    add("noise 1: RAW zeros are not quiet", F::Raw8, 1, s, TrackBuilder(F::Raw8).quiet(500), {});
    add("noise 1: only 127 is quiet", F::Raw8, 1, s,
        TrackBuilder(F::Raw8).loud(10).value(127, s + 1), {{0, 9}});
    add("silence 0 reopens at a quiet position", F::Raw8, 5, 0,
        TrackBuilder(F::Raw8).loud(5).quiet(20).loud(5).quiet(20), {{0, 4}, {6, 29}});
    add("silence 8 does not reopen", F::Raw8, 5, 8,
        TrackBuilder(F::Raw8).loud(5).quiet(20).loud(5).quiet(20), {{0, 4}, {25, 29}});
    add("silence 7 reopens", F::Raw8, 5, 7,
        TrackBuilder(F::Raw8).loud(5).quiet(20).loud(5).quiet(20), {{0, 4}, {13, 29}});
    add("silence 70000 is not taken modulo 65536", F::Raw8, 5, 70000,
        TrackBuilder(F::Raw8).loud(10).quiet(5000).loud(10).quiet(70001), {{0, 5019}});
    add("8-bit band edges: 122 and 132 are quiet", F::Raw8, 5, s,
        TrackBuilder(F::Raw8).loud(10).value(122, 10).value(132, s - 9), {{0, 9}});
    add("8-bit band edges: 121 is loud", F::Wav8, 5, s,
        TrackBuilder(F::Wav8).loud(10).value(122, 10).value(121, 1).value(132, s + 1), {{0, 20}});
    add("8-bit band edges: 133 is loud", F::Raw8, 5, s,
        TrackBuilder(F::Raw8).loud(10).value(133, 5).quiet(s + 1), {{0, 14}});
    add("16-bit noise floor of +-1000 is quiet at 5 %", F::Bit16, 5, s,
        TrackBuilder(F::Bit16).loud(10).value(32767 + 1000, s / 2).value(32767 - 1000, s / 2 + 1),
        {{0, 9}});
    add("16-bit band edges: 31130 and 34404 quiet, 31129 loud", F::Bit16, 5, s,
        TrackBuilder(F::Bit16).loud(10).value(31130, 5).value(31129, 1).value(34404, s + 1),
        {{0, 15}});
    add("16-bit band edges: 34405 loud", F::Bit16, 5, s,
        TrackBuilder(F::Bit16).loud(10).value(34405, 1).quiet(s + 1), {{0, 10}});
    return cases;
}

TEST(SilenceTrigger, EdgeCases) {
    for (const TriggerCase& c : TriggerCases()) {
        const TriggerParams p = TriggerParams::Make(c.load, c.noise, c.silence);
        const Sounds ref = Detect<ReferenceDetector>(p, c.track.bytes());
        const Sounds fast = Detect<SoundDetector>(p, c.track.bytes());
        EXPECT_EQ(Show(ref), Show(c.expected)) << "reference: " << c.name;
        EXPECT_EQ(Show(fast), Show(c.expected)) << "fast: " << c.name;
    }
}

TEST(SilenceTrigger, SixteenBitBandIsNotTheEightBitNumber) {
    // With a band of 6 on the 16-bit scale a real noise floor is never quiet, and two
    // sounds separated by it run together into one.
    const auto t = TrackBuilder(F::Bit16).loud(100).value(32767 + 500, 3000).loud(100).quiet(3000);
    EXPECT_EQ(Detect<SoundDetector>(TriggerParams::Make(F::Bit16, 5, 2000), t.bytes()).size(), 2u);
    EXPECT_EQ(Detect<SoundDetector>(TriggerParams{F::Bit16, 6, 2000}, t.bytes()).size(), 1u);
}

TEST(SilenceTrigger, NoLimitOnTheNumberOfSounds) {
    TrackBuilder t(F::Raw8);
    for (int i = 0; i < 300; ++i) {
        t.loud(5).quiet(30);
    }
    EXPECT_EQ(Detect<SoundDetector>(TriggerParams::Make(F::Raw8, 5, 20), t.bytes()).size(), 300u);
}

// Random tracks built to hit the trigger's corners: quiet runs of Silence - 1 to
// Silence + 2 samples, values on the band edges, lone loud samples, long silences,
// and runs that end across block boundaries.
std::vector<std::uint8_t> RandomTrack(std::mt19937& rng, F load, const TriggerParams& p,
                                      std::int64_t samples) {
    TrackBuilder t(load);
    const int c = p.centre();
    const int band = p.noiseBand;
    const int top = Is16Bit(load) ? 65535 : 255;
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    auto clampW = [&](int w) { return w < 0 ? 0 : (w > top ? top : w); };
    auto quietValue = [&]() {
        if (band <= 1)
            return band == 1 ? c : clampW(c + 1);
        const int edges[] = {c - band + 1, c + band - 1, c};
        return pick(0, 3) == 0 ? edges[pick(0, 2)] : pick(c - band + 1, c + band - 1);
    };
    auto loudValue = [&]() {
        const int edges[] = {clampW(c - band), clampW(c + band), 0, top};
        return pick(0, 2) == 0 ? edges[pick(0, 3)]
                               : (pick(0, 1) ? clampW(c + band + pick(0, 300))
                                             : clampW(c - band - pick(0, 300)));
    };
    const std::int64_t s = p.silence;
    while (t.samples() < samples) {
        switch (pick(0, 7)) {
            case 0:
                t.value(loudValue(), pick(1, 3));
                break;
            case 1: {
                const int n = pick(1, 400);
                for (int i = 0; i < n; ++i) t.value(loudValue(), 1);
                break;
            }
            case 2: {  // a quiet run right at the threshold
                const std::int64_t n = s - 1 + pick(0, 3);
                for (std::int64_t i = 0; i < n && t.samples() < samples; ++i)
                    t.value(quietValue(), 1);
                break;
            }
            case 3:
                t.value(quietValue(), pick(1, 12));
                break;
            case 4: {  // a long silence
                const std::int64_t n = s + pick(0, 5000);
                for (std::int64_t i = 0; i < n && t.samples() < samples; ++i)
                    t.value(quietValue(), 1);
                break;
            }
            case 5: {  // a sound with quiet gaps inside it
                const int n = pick(10, 3000);
                for (int i = 0; i < n; ++i)
                    t.value(pick(0, 4) == 0 ? quietValue() : loudValue(), 1);
                break;
            }
            case 6: {  // run up to the next analysis block boundary, then a loud sample
                const std::int64_t block =
                    static_cast<std::int64_t>(AnalysisBlockBytes(load)) / BytesPerSample(load);
                const std::int64_t gap = block - t.samples() % block - pick(0, 2);
                for (std::int64_t i = 0; i < gap && i < s + 2; ++i) t.value(quietValue(), 1);
                t.value(loudValue(), 1);
                break;
            }
            default:
                t.value(pick(0, top), pick(1, 50));
                break;
        }
    }
    return t.bytes();
}

TEST(SoundDetector, MatchesTheReferenceOnRandomTracks) {
    const F formats[] = {F::Raw8, F::Wav8, F::Bit16};
    const int noises[] = {0, 1, 2, 5, 10, 50, 100};
    const std::int64_t silences[] = {0,  1,  5,  7,  8,  9,   10,   11,
                                     31, 32, 63, 64, 65, 100, 2000, 40000};
    for (unsigned seed = 1; seed <= 60; ++seed) {
        std::mt19937 rng(seed);
        const F load = formats[seed % 3];
        const int noise = noises[rng() % std::size(noises)];
        const std::int64_t silence = silences[rng() % std::size(silences)];
        const TriggerParams p = TriggerParams::Make(load, noise, silence);
        const auto bytes =
            RandomTrack(rng, load, p, 120000 + static_cast<std::int64_t>(rng() % 60000));
        const Sounds ref = Detect<ReferenceDetector>(p, bytes);
        // Blocks as read, and odd chunk sizes that split 16-bit samples.
        const std::size_t chunks[] = {0, 1, 7, 4097, 65536};
        for (std::size_t chunk : chunks) {
            const Sounds fast = Detect<SoundDetector>(p, bytes, chunk);
            ASSERT_EQ(Show(fast), Show(ref))
                << "seed " << seed << ", " << Caption(load) << ", noise " << noise << ", silence "
                << silence << ", chunk " << chunk;
        }
    }
}

TEST(SoundDetector, ClosesExactlyAtEveryBlockBoundaryOffset) {
    // The closing quiet sample falls on each position around the end of a block.
    for (F load : {F::Raw8, F::Bit16}) {
        const std::int64_t block =
            static_cast<std::int64_t>(AnalysisBlockBytes(load)) / BytesPerSample(load);
        for (std::int64_t silence : {std::int64_t{9}, std::int64_t{64}, std::int64_t{2000}}) {
            for (std::int64_t shift = -3; shift <= 3; ++shift) {
                const std::int64_t loud = block - (silence + 1) + shift;
                TrackBuilder t(load);
                t.loud(loud).quiet(silence + 1).loud(3).quiet(silence).loud(2).quiet(silence + 1);
                const TriggerParams p = TriggerParams::Make(load, 5, silence);
                const Sounds expected = {
                    {0, loud - 1}, {loud + silence + 1, loud + silence + 1 + 3 + silence + 1}};
                EXPECT_EQ(Show(Detect<SoundDetector>(p, t.bytes())), Show(expected))
                    << Caption(load) << " silence " << silence << " shift " << shift;
                EXPECT_EQ(Show(Detect<ReferenceDetector>(p, t.bytes())), Show(expected))
                    << Caption(load) << " silence " << silence << " shift " << shift;
            }
        }
    }
}

}  // namespace
}  // namespace talvik
