#include "wave_bitmap.h"

#include <algorithm>

namespace talvik {

std::vector<std::uint8_t> WaveBitmapRows(const WaveImage& image) {
    std::vector<std::uint8_t> rows(static_cast<std::size_t>(kWaveBitmapStride) *
                                   WaveImage::kHeight);
    for (int y = 0; y < WaveImage::kHeight; ++y) {
        const std::uint8_t* from =
            image.data() + static_cast<std::ptrdiff_t>(y) * WaveImage::kWidth;
        std::copy(from, from + WaveImage::kWidth,
                  rows.begin() + static_cast<std::ptrdiff_t>(y) * kWaveBitmapStride);
    }
    return rows;
}

}  // namespace talvik
