#include "sample_converter.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace brevant {

namespace {

constexpr std::uint16_t kIeeeFloat = 3;
constexpr std::uint16_t kExtensible = 0xFFFE;
// The sub-format GUID of an extensible format is the old format tag followed by these bytes.
constexpr std::uint8_t kGuidTail[14] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                                        0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

std::int32_t readInteger(const std::uint8_t* p, std::uint16_t bits) {
    switch (bits) {
        case 8:
            return (static_cast<std::int32_t>(p[0]) - 128) * (1 << 24);  // 8-bit is unsigned
        case 16:
            return static_cast<std::int32_t>(static_cast<std::uint32_t>(p[0]) << 16 |
                                             static_cast<std::uint32_t>(p[1]) << 24);
        case 24:
            return static_cast<std::int32_t>(static_cast<std::uint32_t>(p[0]) << 8 |
                                             static_cast<std::uint32_t>(p[1]) << 16 |
                                             static_cast<std::uint32_t>(p[2]) << 24);
        default:
            return static_cast<std::int32_t>(
                static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
                static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24);
    }
}

double readFloat(const std::uint8_t* p, std::uint16_t bits) {
    if (bits == 32) {
        std::uint32_t raw =
            static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
            static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
        float f;
        std::memcpy(&f, &raw, 4);
        return f;
    }
    std::uint64_t raw = 0;
    for (int i = 7; i >= 0; --i) raw = raw << 8 | p[i];
    double d;
    std::memcpy(&d, &raw, 8);
    return d;
}

}  // namespace

std::optional<SampleLayout> convertibleLayout(const WaveFormat& format) {
    std::uint16_t tag = format.formatTag;
    if (tag == kExtensible) {
        // cbSize, valid bits, channel mask, then the sub-format GUID.
        if (format.extra.size() < 24 || std::memcmp(format.extra.data() + 10, kGuidTail, 14) != 0)
            return std::nullopt;
        tag = static_cast<std::uint16_t>(format.extra[8] | format.extra[9] << 8);
    }
    if (format.channels != 1 && format.channels != 2)
        return std::nullopt;
    SampleLayout layout;
    layout.bits = format.bitsPerSample;
    layout.channels = format.channels;
    if (tag == WaveFormat::kPcm) {
        layout.kind = SampleLayout::Kind::Integer;
        if (layout.bits != 8 && layout.bits != 16 && layout.bits != 24 && layout.bits != 32)
            return std::nullopt;
    } else if (tag == kIeeeFloat) {
        layout.kind = SampleLayout::Kind::Float;
        if (layout.bits != 32 && layout.bits != 64)
            return std::nullopt;
    } else {
        return std::nullopt;
    }
    return layout;
}

SampleConverter::SampleConverter(SampleLayout layout, bool dither)
    : layout_(layout), dither_(dither && layout.isWider()) {}

std::int32_t SampleConverter::noise() {
    // xorshift32: two uniform halves of one draw, whose sum is triangular.
    random_ ^= random_ << 13;
    random_ ^= random_ >> 17;
    random_ ^= random_ << 5;
    return static_cast<std::int16_t>(random_ & 0xFFFF) + static_cast<std::int16_t>(random_ >> 16);
}

std::int16_t SampleConverter::fromWide(std::int64_t value32) {
    // A sample already on a 16-bit step is kept exactly: silence stays silent, and a 16-bit
    // recording in a wider container comes back as it was.
    if (dither_ && (value32 & 0xFFFF) != 0)
        value32 += noise();
    // Rounded to the nearest step (halves up); dither can push a full-scale value one step over.
    const std::int64_t rounded = (value32 + 0x8000) >> 16;
    return static_cast<std::int16_t>(std::clamp<std::int64_t>(rounded, -32768, 32767));
}

std::int16_t SampleConverter::fromFloat(double value) {
    if (std::isnan(value))
        return 0;
    double scaled = value * 32768.0;
    if (std::floor(scaled + 0.5) > 32767.0 || std::floor(scaled + 0.5) < -32768.0) {
        ++clipped_;
        scaled = std::clamp(scaled, -32768.0, 32767.0);
    }
    if (dither_ && scaled != std::floor(scaled))
        scaled += noise() / 65536.0;
    return static_cast<std::int16_t>(std::clamp(std::floor(scaled + 0.5), -32768.0, 32767.0));
}

void SampleConverter::convert(const std::uint8_t* source, std::size_t samples, std::int16_t* out) {
    const std::size_t step = layout_.sampleBytes();
    const std::uint16_t bits = layout_.bits;
    if (layout_.kind == SampleLayout::Kind::Float) {
        for (std::size_t i = 0; i < samples; ++i, source += step)
            out[i] = fromFloat(readFloat(source, bits));
    } else if (!layout_.isWider()) {
        for (std::size_t i = 0; i < samples; ++i, source += step)
            out[i] = static_cast<std::int16_t>(readInteger(source, bits) >> 16);
    } else {
        for (std::size_t i = 0; i < samples; ++i, source += step)
            out[i] = fromWide(readInteger(source, bits));
    }
}

}  // namespace brevant
