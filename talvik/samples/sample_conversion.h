// Whole-block sample conversion between load and save formats, and the level
// change of "Maximize".
#pragma once

#include <cstddef>
#include <cstdint>

#include "sample_format.h"

namespace talvik {

// True for the pairs the splitter offers: an 8-bit track is never widened to 16 bits.
constexpr bool CanConvert(SampleFormat load, SampleFormat save) {
    return !Is16Bit(save) || Is16Bit(load);
}

// Converts the whole samples in `in` (inBytes long) into `out`; returns the bytes
// written. `out` may equal `in`. No rounding, dithering or level change.
std::size_t ConvertBlock(SampleFormat load, SampleFormat save, const std::uint8_t* in,
                         std::size_t inBytes, std::uint8_t* out);

// Largest absolute signed sample of a block in its load format (8-bit WAV is
// centred on 128). Used to find a sound's peak before maximizing it.
int BlockPeak(SampleFormat load, const std::uint8_t* data, std::size_t bytes);

// Full scale of a format's signed samples: 127 or 32767.
constexpr int FullScale(SampleFormat f) {
    return Is16Bit(f) ? 32767 : 127;
}

// Scales a block in place so that a sound whose peak is `peak` reaches full scale of
// the load format; the peak sample lands exactly on full scale. Silence (peak 0) and
// sounds already at full scale stay unchanged.
void MaximizeBlock(SampleFormat load, std::uint8_t* data, std::size_t bytes, int peak);

}  // namespace talvik
