// Converts the sample formats a track may arrive in (8-, 24-, 32-bit integer PCM, 32- and
// 64-bit IEEE float, plain or WAVE_FORMAT_EXTENSIBLE, mono or stereo) to 16-bit PCM.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "wave_format.h"

namespace brevant {

struct SampleLayout {
    enum class Kind { Integer, Float };
    Kind kind = Kind::Integer;
    std::uint16_t bits = 16;
    std::uint16_t channels = 1;

    std::size_t sampleBytes() const { return bits / 8u; }
    std::size_t frameBytes() const { return sampleBytes() * channels; }
    // 24 bits and more, and float, carry more than 16 bits: they are dithered down.
    bool isWider() const { return kind == Kind::Float || bits > 16; }
};

// The layout of a format the recorder can take, 16-bit PCM included; nothing for any other
// (another encoding, a bit depth without a whole byte per sample, more than two channels).
std::optional<SampleLayout> convertibleLayout(const WaveFormat& format);

// Turns samples of one layout into 16-bit PCM, keeping its dither state between calls, so a
// file converts the same in blocks of any size. The dither is triangular (TPDF), one 16-bit
// step either way, from a fixed seed: a file converts to the same bytes every time. A sample
// that already lies on a 16-bit step is not dithered.
class SampleConverter {
  public:
    SampleConverter(SampleLayout layout, bool dither);

    // `samples` samples (a frame is `channels` of them) from little-endian bytes at `source`.
    void convert(const std::uint8_t* source, std::size_t samples, std::int16_t* out);
    // Float samples beyond full scale, set to full scale.
    std::uint64_t clipped() const { return clipped_; }
    const SampleLayout& layout() const { return layout_; }

  private:
    std::int32_t noise();  // in 1/65536 of a 16-bit step
    std::int16_t fromWide(std::int64_t value32);
    std::int16_t fromFloat(double value);

    SampleLayout layout_;
    bool dither_;
    std::uint32_t random_ = 0x2545F491u;
    std::uint64_t clipped_ = 0;
};

}  // namespace brevant
