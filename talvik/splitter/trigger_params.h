// The silence trigger as the detectors use it: the quiet band in working values,
// and the number of quiet samples that closes a sound.
#pragma once

#include <cstdint>

#include "sample_format.h"

namespace talvik {

// Half-width of the quiet band for a "Noise %" value (0 to 100): a share of full
// scale, 127 for 8-bit tracks and 32767 for 16-bit tracks, integer-divided.
int NoiseBand(SampleFormat load, int noisePercent);

struct TriggerParams {
    SampleFormat load = SampleFormat::Raw8;
    int noiseBand = 6;
    // A sound closes after more than this many consecutive quiet samples.
    std::int64_t silence = 2000;

    static TriggerParams Make(SampleFormat load, int noisePercent, std::int64_t silence) {
        return {load, NoiseBand(load, noisePercent), silence};
    }
    int centre() const { return Is16Bit(load) ? kCentre16 : kCentre8; }
    // Quiet is strictly inside the band: (C - band) < w < (C + band).
    bool quiet(int working) const {
        return centre() - noiseBand < working && working < centre() + noiseBand;
    }
};

// A found sound in samples: start inclusive, end exclusive.
struct Sound {
    std::int64_t start = 0;
    std::int64_t end = 0;
    std::int64_t length() const { return end - start; }
    friend bool operator==(const Sound&, const Sound&) = default;
};

}  // namespace talvik
