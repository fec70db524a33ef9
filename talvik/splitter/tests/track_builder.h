// Builds track bytes from runs of working values, in any of the three load formats.
#pragma once

#include <cstdint>
#include <vector>

#include "sample_format.h"

namespace talvik::testing {

class TrackBuilder {
  public:
    explicit TrackBuilder(SampleFormat load) : load_(load) {}

    int centre() const { return Is16Bit(load_) ? kCentre16 : kCentre8; }
    // Appends `count` samples of working value w.
    TrackBuilder& value(int w, std::int64_t count) {
        for (std::int64_t i = 0; i < count; ++i) {
            if (Is16Bit(load_)) {
                const auto u = static_cast<std::uint16_t>(w - 32767);
                bytes_.push_back(static_cast<std::uint8_t>(u & 0xFF));
                bytes_.push_back(static_cast<std::uint8_t>(u >> 8));
            } else {
                bytes_.push_back(
                    static_cast<std::uint8_t>(load_ == SampleFormat::Raw8 ? w ^ 0x80 : w));
            }
        }
        return *this;
    }
    // The format's silence: byte 0, byte 128, or sample 0.
    TrackBuilder& quiet(std::int64_t count) { return value(Is16Bit(load_) ? 32767 : 128, count); }
    TrackBuilder& loud(std::int64_t count) {
        return value(Is16Bit(load_) ? 32767 + 20000 : 128 + 100, count);
    }
    std::int64_t samples() const {
        return static_cast<std::int64_t>(bytes_.size()) / BytesPerSample(load_);
    }
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }

  private:
    SampleFormat load_;
    std::vector<std::uint8_t> bytes_;
};

}  // namespace talvik::testing
