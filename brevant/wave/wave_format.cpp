#include "wave_format.h"

#include "little_endian.h"

namespace brevant {

WaveFormat WaveFormat::pcm(std::uint16_t channelCount, std::uint32_t frequency, std::uint16_t bits) {
    WaveFormat f;
    f.formatTag = kPcm;
    f.channels = channelCount;
    f.samplesPerSec = frequency;
    f.bitsPerSample = bits;
    f.blockAlign = static_cast<std::uint16_t>(channelCount * (bits / 8));
    f.avgBytesPerSec = f.blockAlign * frequency;
    f.extra = {0, 0};
    return f;
}

std::optional<WaveFormat> WaveFormat::fromBytes(const std::vector<std::uint8_t>& bytes) {
    if (bytes.size() < 16) return std::nullopt;
    LittleEndianReader in(bytes);
    WaveFormat f;
    f.formatTag = in.u16();
    f.channels = in.u16();
    f.samplesPerSec = in.u32();
    f.avgBytesPerSec = in.u32();
    f.blockAlign = in.u16();
    f.bitsPerSample = in.u16();
    f.extra.assign(bytes.begin() + 16, bytes.end());
    return f;
}

std::vector<std::uint8_t> WaveFormat::toBytes() const {
    LittleEndianWriter out;
    out.u16(formatTag);
    out.u16(channels);
    out.u32(samplesPerSec);
    out.u32(avgBytesPerSec);
    out.u16(blockAlign);
    out.u16(bitsPerSample);
    std::vector<std::uint8_t> bytes = out.take();
    bytes.insert(bytes.end(), extra.begin(), extra.end());
    return bytes;
}

}  // namespace brevant
