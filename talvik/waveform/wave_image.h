// The 513 x 65 picture of a waveform, one byte per pixel (0 black, 255 white).
// A window only copies it to the screen.
#pragma once

#include <array>
#include <cstdint>

namespace talvik {

class WaveImage {
  public:
    static constexpr int kWidth = 513;
    static constexpr int kHeight = 65;
    static constexpr std::uint8_t kBlack = 0;
    static constexpr std::uint8_t kWhite = 255;

    WaveImage() { clear(); }

    void clear() { pixels_.fill(kBlack); }
    void moveTo(int x, int y) {
        penX_ = x;
        penY_ = y;
    }
    // A white line from the pen to (x, y), the end point excluded as the platform's
    // line drawing does; the parts outside the picture are clipped.
    void lineTo(int x, int y);

    std::uint8_t pixel(int x, int y) const { return pixels_[index(x, y)]; }
    // Row-major, kWidth bytes per row, top row first.
    const std::uint8_t* data() const { return pixels_.data(); }

  private:
    static int index(int x, int y) { return y * kWidth + x; }
    void plot(int x, int y) {
        if (x >= 0 && x < kWidth && y >= 0 && y < kHeight) {
            pixels_[index(x, y)] = kWhite;
        }
    }

    std::array<std::uint8_t, kWidth * kHeight> pixels_{};
    int penX_ = 0;
    int penY_ = 0;
};

}  // namespace talvik
