// The three headerless sample formats a track is loaded from and a sound is saved in.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace talvik {

enum class SampleFormat { Raw8, Wav8, Bit16 };

// Bytes read per step when a track is analysed or drawn, and when a sound is copied.
inline constexpr std::size_t kAnalysisBlock8 = 30001;
inline constexpr std::size_t kAnalysisBlock16 = 30000;
inline constexpr std::size_t kCopyBlockBytes = 30000;
// Blocks are fetched several per read (and written several per write when copying):
// every call is a system call, which costs more than the bytes it moves, while no
// result depends on how the blocks are grouped.
inline constexpr std::size_t kAnalysisBlocksPerRead = 4;
inline constexpr std::size_t kCopyBlocksPerCall = 8;

// Working values are unsigned; silence sits at these centres.
inline constexpr int kCentre8 = 127;
inline constexpr int kCentre16 = 32767;

constexpr int BytesPerSample(SampleFormat f) {
    return f == SampleFormat::Bit16 ? 2 : 1;
}
constexpr bool Is16Bit(SampleFormat f) {
    return f == SampleFormat::Bit16;
}
constexpr std::size_t AnalysisBlockBytes(SampleFormat f) {
    return Is16Bit(f) ? kAnalysisBlock16 : kAnalysisBlock8;
}

std::string_view Caption(SampleFormat f);
// Extension of a track file of this load format, with its dot.
std::string_view TrackExtension(SampleFormat f);
// Savesuffix text that choosing this save format puts in the box.
std::string_view SaveSuffix(SampleFormat f);

// Working value of an 8-bit byte: RAW has its sign bit flipped, WAV stays.
constexpr int WorkingValue8(SampleFormat f, std::uint8_t byte) {
    return f == SampleFormat::Raw8 ? (byte ^ 0x80) : byte;
}
// Working value of a signed 16-bit sample: the offset is 32767, not 32768.
constexpr int WorkingValue16(std::int16_t sample) {
    return static_cast<std::uint16_t>(static_cast<std::uint16_t>(sample) + 32767u);
}
// Little-endian 16-bit sample at p.
inline std::int16_t ReadSample16(const std::uint8_t* p) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(p[0] | (p[1] << 8)));
}

}  // namespace talvik
