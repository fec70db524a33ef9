#include "reference_detector.h"

namespace talvik {

void ReferenceDetector::feed(const std::uint8_t* data, std::size_t bytes) {
    if (!Is16Bit(params_.load)) {
        for (std::size_t i = 0; i < bytes; ++i) {
            step(WorkingValue8(params_.load, data[i]));
        }
        return;
    }
    for (std::size_t i = 0; i < bytes; ++i) {
        if (carry_ < 0) {
            carry_ = data[i];
            continue;
        }
        auto sample =
            static_cast<std::int16_t>(static_cast<std::uint16_t>(carry_ | (data[i] << 8)));
        carry_ = -1;
        step(WorkingValue16(sample));
    }
}

void ReferenceDetector::step(int working) {
    const std::int64_t p = position_++;
    silenceRun_ = params_.quiet(working) ? silenceRun_ + 1 : 0;
    if (silenceRun_ < 10 && !inSound_) {
        start_ = p;
        inSound_ = true;
    }
    if (silenceRun_ > params_.silence && inSound_) {
        std::int64_t end = p - silenceRun_;
        if (end - start_ > 0) {
            sounds_.push_back({start_, end});
            inSound_ = false;
        }
    }
}

}  // namespace talvik
