// The silence trigger as a plain per-sample state machine. It is the definition the
// fast SoundDetector is checked against.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "trigger_params.h"

namespace talvik {

class ReferenceDetector {
  public:
    explicit ReferenceDetector(const TriggerParams& params) : params_(params) {}

    // Feeds the next bytes of the track, in any chunking.
    void feed(const std::uint8_t* data, std::size_t bytes);
    // Sounds closed so far; one still open at the end of the file is not among them.
    const std::vector<Sound>& sounds() const { return sounds_; }

  private:
    void step(int working);

    TriggerParams params_;
    std::vector<Sound> sounds_;
    std::int64_t position_ = 0;
    // The count starts at 10 so quiet samples at the start of a file open nothing.
    std::int64_t silenceRun_ = 10;
    bool inSound_ = false;
    std::int64_t start_ = 0;
    int carry_ = -1;  // low byte of a 16-bit sample split between two feeds
};

}  // namespace talvik
