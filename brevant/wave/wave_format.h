// The contents of a WAVE file's "fmt " chunk.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace brevant {

struct WaveFormat {
    static constexpr std::uint16_t kPcm = 1;

    std::uint16_t formatTag = kPcm;
    std::uint16_t channels = 1;
    std::uint32_t samplesPerSec = 44100;
    std::uint32_t avgBytesPerSec = 88200;
    std::uint16_t blockAlign = 2;
    std::uint16_t bitsPerSample = 16;
    // Everything after the first 16 bytes of the chunk (the extra-size field and
    // what follows it), kept so that a chunk of any size is held whole.
    std::vector<std::uint8_t> extra;

    // A PCM format written as 18 bytes: the 16 bytes of the PCM record and a
    // zero extra-size field.
    static WaveFormat pcm(std::uint16_t channels, std::uint32_t samplesPerSec, std::uint16_t bitsPerSample);

    // The chunk must hold at least the 16 bytes of the PCM record.
    static std::optional<WaveFormat> fromBytes(const std::vector<std::uint8_t>& bytes);
    std::vector<std::uint8_t> toBytes() const;

    // Bytes per sample frame computed from channels and bits (the stored
    // blockAlign of a damaged file is not trusted for arithmetic).
    std::uint32_t frameBytes() const { return static_cast<std::uint32_t>(channels) * (bitsPerSample / 8u); }

    bool operator==(const WaveFormat&) const = default;
};

}  // namespace brevant
