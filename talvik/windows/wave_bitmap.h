// A waveform picture as the rows of an 8-bit device-independent bitmap: Windows wants
// every row padded to a multiple of four bytes, and 513 is not one.
#pragma once

#include <cstdint>
#include <vector>

#include "wave_image.h"

namespace talvik {

inline constexpr int kWaveBitmapStride = (WaveImage::kWidth + 3) / 4 * 4;

// Top row first (a top-down bitmap), kWaveBitmapStride bytes a row, the padding zero.
// Each byte indexes a grey palette: 0 black, 255 white.
std::vector<std::uint8_t> WaveBitmapRows(const WaveImage& image);

}  // namespace talvik
