#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "mixer.h"

namespace brevant {
namespace {

std::vector<std::int16_t> randomSamples(std::size_t n, unsigned seed, int lo = -32768, int hi = 32767) {
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> d(lo, hi);
    std::vector<std::int16_t> v(n);
    for (auto& s : v) s = static_cast<std::int16_t>(d(rng));
    return v;
}

// The mixing rule written out per sample, clipped at the end.
std::int16_t clip(std::int64_t v) { return static_cast<std::int16_t>(v < -32768 ? -32768 : v > 32767 ? 32767 : v); }

std::vector<std::int16_t> referenceStereo(const std::vector<MixInput>& in, int divisor, int frames) {
    std::vector<std::int16_t> out(static_cast<std::size_t>(2 * frames));
    for (int f = 0; f < frames; ++f) {
        std::int32_t l = 0, r = 0;
        for (const MixInput& t : in) {
            const std::int32_t a = t.stereo ? t.samples[2 * f] : t.samples[f];
            const std::int32_t b = t.stereo ? t.samples[2 * f + 1] : t.samples[f];
            l += a * t.gainLeft;
            r += b * t.gainRight;
        }
        out[static_cast<std::size_t>(2 * f)] = clip(l / divisor);
        out[static_cast<std::size_t>(2 * f + 1)] = clip(r / divisor);
    }
    return out;
}

std::vector<std::int16_t> referenceMono(const std::vector<MixInput>& in, int divisor, int frames) {
    std::vector<std::int16_t> out(static_cast<std::size_t>(frames));
    for (int f = 0; f < frames; ++f) {
        std::int32_t sum = 0;
        for (const MixInput& t : in) {
            sum += t.stereo ? (t.samples[2 * f] + t.samples[2 * f + 1]) * (t.gainMono / 2) : t.samples[f] * t.gainMono;
        }
        out[static_cast<std::size_t>(f)] = clip(sum / divisor);
    }
    return out;
}

TEST(Mixer, OneTrackAtFullVolumePassesThroughBitExact) {
    const int frames = 7680;
    const auto stereo = randomSamples(2 * frames, 1);
    std::vector<std::int16_t> out(2 * frames);
    const MixInput in{stereo.data(), true, 100, 100, 100};
    mixStereo({&in, 1}, 100, out.data(), frames);
    EXPECT_EQ(out, stereo);

    const auto mono = randomSamples(frames, 2);
    const MixInput m{mono.data(), false, 100, 100, 100};
    mixStereo({&m, 1}, 100, out.data(), frames);
    for (int f = 0; f < frames; ++f) {
        ASSERT_EQ(out[static_cast<std::size_t>(2 * f)], mono[static_cast<std::size_t>(f)]) << f;
        ASSERT_EQ(out[static_cast<std::size_t>(2 * f + 1)], mono[static_cast<std::size_t>(f)]) << f;
    }
}

TEST(Mixer, AMutedSecondTrackHalvesTheOtherTruncatingTowardZero) {
    const std::vector<std::int16_t> s = {3, -3, 32767, -32768, 1, -1};
    std::vector<std::int16_t> out(6);
    const MixInput in{s.data(), true, 100, 100, 100};  // the muted track is simply not an input
    mixStereo({&in, 1}, 200, out.data(), 3);
    EXPECT_EQ(out, (std::vector<std::int16_t>{1, -1, 16383, -16384, 0, 0}));
}

TEST(Mixer, LoudSumsClipInsteadOfWrapping) {
    const std::vector<std::int16_t> s = {10000, -10000, 5461, -5461};
    std::vector<std::int16_t> out(4);
    const MixInput in{s.data(), true, 600, 600, 600};  // boost 100
    mixStereo({&in, 1}, 100, out.data(), 2);
    EXPECT_EQ(out, (std::vector<std::int16_t>{32767, -32768, 32766, -32766}));

    std::vector<std::int16_t> mono(2);
    const MixInput m{s.data(), false, 600, 600, 600};
    mixMono({&m, 1}, 100, mono.data(), 2);
    EXPECT_EQ(mono, (std::vector<std::int16_t>{32767, -32768}));
}

class MixerPaths : public ::testing::TestWithParam<MixerPath> {
protected:
    void SetUp() override {
        saved_ = mixerPath();
        if (!setMixerPath(GetParam())) GTEST_SKIP() << "the processor lacks this vector unit";
    }
    void TearDown() override { setMixerPath(saved_); }

private:
    MixerPath saved_ = MixerPath::Baseline;
};

INSTANTIATE_TEST_SUITE_P(EveryVectorUnit, MixerPaths,
                         ::testing::Values(MixerPath::Baseline, MixerPath::Avx2, MixerPath::Avx512));

TEST_P(MixerPaths, MatchesTheRuleForEveryDivisorAndOddLengths) {
    for (int tracks = 1; tracks <= 10; ++tracks) {
        for (int frames : {1, 255, 256, 257, 7680}) {
            std::vector<std::vector<std::int16_t>> data;
            std::vector<MixInput> in;
            std::mt19937 rng(static_cast<unsigned>(tracks * 1000 + frames));
            for (int t = 0; t < tracks; ++t) {
                const bool stereo = (rng() & 1) != 0;
                data.push_back(randomSamples(static_cast<std::size_t>(frames * (stereo ? 2 : 1)), static_cast<unsigned>(rng())));
                in.push_back({data.back().data(), stereo, static_cast<std::int16_t>(rng() % 601),
                              static_cast<std::int16_t>(rng() % 601), static_cast<std::int16_t>(rng() % 601)});
            }
            // Leave one track out now and then, as a muted track is.
            if (tracks > 1 && frames == 257) in.erase(in.begin());
            const int divisor = tracks * 100;
            std::vector<std::int16_t> out(static_cast<std::size_t>(2 * frames));
            mixStereo(in, static_cast<std::int16_t>(divisor), out.data(), frames);
            ASSERT_EQ(out, referenceStereo(in, divisor, frames)) << tracks << " tracks, " << frames << " frames";
            std::vector<std::int16_t> mono(static_cast<std::size_t>(frames));
            mixMono(in, static_cast<std::int16_t>(divisor), mono.data(), frames);
            ASSERT_EQ(mono, referenceMono(in, divisor, frames)) << tracks << " tracks, " << frames << " frames";
        }
    }
}

TEST(Mixer, AnUnusualDivisorStillFollowsTheRule) {
    const auto a = randomSamples(2 * 300, 7);
    std::vector<MixInput> in = {{a.data(), true, 333, 17, 99}};
    std::vector<std::int16_t> out(600);
    mixStereo(in, 150, out.data(), 300);
    EXPECT_EQ(out, referenceStereo(in, 150, 300));
}

TEST(Mixer, MonoRunHalvesTheStereoGainFirst) {
    const std::vector<std::int16_t> s = {100, 200};
    std::int16_t out = 0;
    const MixInput in{s.data(), true, 0, 0, 61};  // 61 / 2 = 30
    mixMono({&in, 1}, 100, &out, 1);
    EXPECT_EQ(out, 90);
}

TEST(Mixer, NoTracksGiveSilence) {
    std::vector<std::int16_t> out(8, 5);
    mixStereo({}, 0, out.data(), 4);
    EXPECT_EQ(out, std::vector<std::int16_t>(8, 0));
}

}  // namespace
}  // namespace brevant
