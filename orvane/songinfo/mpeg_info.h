// TMpegInfo: what the first audio frame header of a song says, and the
// MPEG audio tables needed to read it.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>

namespace orvane {

enum class TMpegVersion { Mpeg1, Mpeg2, Mpeg25 };

struct TMpegInfo {
    bool IsVersion1 = false;  // bit 3 of header byte 1
    int Layer = 0;            // 1, 2 or 3 (4 for the reserved layer code 00)
    int BitRateIndex = 0;     // 0..15
    bool NoCrc = false;       // bit 0 of header byte 1
    int FrequencyIndex = 0;   // 0..3

    TMpegVersion Version = TMpegVersion::Mpeg1;
    int BitRate = 0;          // kbit/s, from the table of this version and layer
    int Frequency = 0;        // sampling frequency in Hz
    int ChannelMode = 0;      // 3 = single channel
    bool Padding = false;
    bool IsVariableRate = false;  // play time taken from a Xing or VBRI frame count
    std::uint32_t FrameCount = 0; // from that header; 0 when none

    bool operator==(const TMpegInfo&) const = default;
};

// kbit/s by [0 MPEG-1, 1 MPEG-2 and 2.5][layer - 1][bit-rate index].
// Index 0 (free format) and 15 (forbidden) are 0.
inline constexpr int BitRateTable[2][3][16] = {
    {
        {0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448, 0},
        {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384, 0},
        {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0},
    },
    {
        {0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256, 0},
        {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0},
        {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0},
    },
};

// Hz by version and frequency index (index 3 is reserved).
int SamplingFrequency(TMpegVersion version, int frequencyIndex);
// Table bit rate in kbit/s; 0 for layer 4 or an index without a rate.
int TableBitRate(TMpegVersion version, int layer, int bitRateIndex);

// Decodes a 4-byte frame header. nullopt unless the sync bits are set and
// version, layer, bit rate and frequency are all usable: a free-format or
// reserved code gives no play time, so it cannot start the audio.
std::optional<TMpegInfo> DecodeFrameHeader(std::span<const std::uint8_t, 4> header);

// Length in bytes of the frame that info describes (with its padding byte).
int FrameLength(const TMpegInfo& info);
int SamplesPerFrame(const TMpegInfo& info);
// Offset of a Xing/Info header from the frame start: header plus side information.
int XingOffset(const TMpegInfo& info);

}  // namespace orvane
