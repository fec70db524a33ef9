// The silence trigger, fast: the same results as ReferenceDetector, but runs of
// loud or quiet samples are skipped many samples at a time instead of one by one.
//
// Inside a sound only the sample `need` places ahead can close it: if that sample is
// loud the run restarts there and everything before it is skipped; if it is quiet
// the scan goes back only to the last loud sample. Outside a sound the scan looks for
// the first loud sample a whole chunk at a time with a range check the compiler
// turns into vector compares.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "trigger_params.h"

namespace talvik {

class SoundDetector {
  public:
    explicit SoundDetector(const TriggerParams& params) { reset(params); }

    // Starts a new track; the sound list keeps its capacity.
    void reset(const TriggerParams& params);
    void feed(const std::uint8_t* data, std::size_t bytes);
    const std::vector<Sound>& sounds() const { return sounds_; }
    // Hands the sounds over by swapping, so neither side allocates again.
    void swapSounds(std::vector<Sound>& other) { sounds_.swap(other); }

    struct State {
        std::int64_t base = 0;  // position of the first sample of the current block
        std::int64_t run = 10;
        bool inSound = false;
        std::int64_t start = 0;
    };

  private:
    TriggerParams params_;
    std::vector<Sound> sounds_;
    State state_;
    // Loud is (lane - offset) >= width in unsigned lane arithmetic.
    std::uint16_t offset_ = 0;
    std::uint16_t width_ = 0;
    int carry_ = -1;
};

}  // namespace talvik
