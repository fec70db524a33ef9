#include "mpeg_info.h"

namespace orvane {

int SamplingFrequency(TMpegVersion version, int frequencyIndex)
{
    static constexpr int kMpeg1[3] = {44100, 48000, 32000};
    if (frequencyIndex < 0 || frequencyIndex > 2) return 0;
    const int base = kMpeg1[frequencyIndex];
    switch (version) {
    case TMpegVersion::Mpeg1: return base;
    case TMpegVersion::Mpeg2: return base / 2;
    case TMpegVersion::Mpeg25: return base / 4;
    }
    return 0;
}

int TableBitRate(TMpegVersion version, int layer, int bitRateIndex)
{
    if (layer < 1 || layer > 3 || bitRateIndex < 0 || bitRateIndex > 15) return 0;
    return BitRateTable[version == TMpegVersion::Mpeg1 ? 0 : 1][layer - 1][bitRateIndex];
}

std::optional<TMpegInfo> DecodeFrameHeader(std::span<const std::uint8_t, 4> header)
{
    if (header[0] != 0xFF || (header[1] & 0xE0) != 0xE0) return std::nullopt;
    const int versionBits = (header[1] >> 3) & 0x03;
    if (versionBits == 1) return std::nullopt;  // reserved
    TMpegInfo info;
    info.Version = versionBits == 3 ? TMpegVersion::Mpeg1
                 : versionBits == 2 ? TMpegVersion::Mpeg2
                                    : TMpegVersion::Mpeg25;
    info.IsVersion1 = (header[1] & 0x08) != 0;
    info.Layer = 4 - ((header[1] & 0x06) >> 1);
    info.NoCrc = (header[1] & 0x01) != 0;
    info.BitRateIndex = header[2] >> 4;
    info.FrequencyIndex = (header[2] & 0x0C) >> 2;
    info.Padding = (header[2] & 0x02) != 0;
    info.ChannelMode = header[3] >> 6;
    info.BitRate = TableBitRate(info.Version, info.Layer, info.BitRateIndex);
    info.Frequency = SamplingFrequency(info.Version, info.FrequencyIndex);
    if (info.Layer == 4 || info.BitRate == 0 || info.Frequency == 0) return std::nullopt;
    return info;
}

int FrameLength(const TMpegInfo& info)
{
    if (info.Frequency == 0) return 0;
    const int padding = info.Padding ? 1 : 0;
    const int bitsPerSecond = info.BitRate * 1000;
    if (info.Layer == 1) return (12 * bitsPerSecond / info.Frequency + padding) * 4;
    const int factor = (info.Layer == 3 && info.Version != TMpegVersion::Mpeg1) ? 72 : 144;
    return factor * bitsPerSecond / info.Frequency + padding;
}

int SamplesPerFrame(const TMpegInfo& info)
{
    if (info.Layer == 1) return 384;
    if (info.Layer == 3 && info.Version != TMpegVersion::Mpeg1) return 576;
    return 1152;
}

int XingOffset(const TMpegInfo& info)
{
    const bool mono = info.ChannelMode == 3;
    if (info.Version == TMpegVersion::Mpeg1) return 4 + (mono ? 17 : 32);
    return 4 + (mono ? 9 : 17);
}

}  // namespace orvane
