// Test helpers: temporary folders and WAVE files built byte by byte.
#pragma once

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "little_endian.h"

namespace brevant::testing {

class TempDir {
public:
    TempDir() {
        static std::atomic<int> counter{0};
        std::random_device rd;
        path_ = std::filesystem::temp_directory_path() /
                ("brevant-test-" + std::to_string(rd()) + "-" + std::to_string(counter++));
        std::filesystem::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

inline void writeBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

inline std::vector<std::uint8_t> readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::vector<std::uint8_t> pcmFormatBytes(std::uint16_t channels, std::uint32_t frequency, std::uint16_t bits,
                                                bool withExtraSize = false) {
    LittleEndianWriter out;
    out.u16(1);
    out.u16(channels);
    out.u32(frequency);
    out.u32(frequency * channels * (bits / 8u));
    out.u16(static_cast<std::uint16_t>(channels * (bits / 8)));
    out.u16(bits);
    if (withExtraSize) out.u16(0);
    return out.take();
}

inline std::vector<std::uint8_t> sampleBytes(const std::vector<std::int16_t>& samples) {
    LittleEndianWriter out;
    for (std::int16_t s : samples) out.i16(s);
    return out.take();
}

struct Chunk {
    std::string id;
    std::vector<std::uint8_t> body;
};

// A RIFF form from the given chunks, odd chunks padded; `riffSizeOverride`
// replaces the RIFF size field when not negative.
inline std::vector<std::uint8_t> riffBytes(const std::string& form, const std::vector<Chunk>& chunks,
                                           std::int64_t riffSizeOverride = -1) {
    LittleEndianWriter body;
    body.tag(form);
    for (const Chunk& c : chunks) {
        body.tag(c.id);
        body.u32(static_cast<std::uint32_t>(c.body.size()));
        for (std::uint8_t b : c.body) body.u8(b);
        if (c.body.size() & 1) body.u8(0);
    }
    LittleEndianWriter out;
    out.tag("RIFF");
    out.u32(riffSizeOverride >= 0 ? static_cast<std::uint32_t>(riffSizeOverride)
                                  : static_cast<std::uint32_t>(body.bytes().size()));
    std::vector<std::uint8_t> bytes = out.take();
    bytes.insert(bytes.end(), body.bytes().begin(), body.bytes().end());
    return bytes;
}

// A 16-bit PCM WAVE file holding `samples` (interleaved when stereo).
inline void writeWave(const std::string& path, std::uint16_t channels, std::uint32_t frequency,
                      const std::vector<std::int16_t>& samples, std::uint16_t bits = 16) {
    writeBytes(path, riffBytes("WAVE", {{"fmt ", pcmFormatBytes(channels, frequency, bits)},
                                        {"data", sampleBytes(samples)}}));
}

// Reads the samples of a WAVE file written by the recorder (18-byte "fmt ").
inline std::vector<std::int16_t> dataSamples(const std::vector<std::uint8_t>& file) {
    std::vector<std::int16_t> samples;
    const std::size_t dataStart = 12 + 8 + 18 + 8;
    if (file.size() < dataStart) return samples;
    LittleEndianReader in(file);
    in.skip(dataStart - 4);
    const std::uint32_t size = in.u32();
    for (std::uint32_t i = 0; i + 1 < size && in.ok(); i += 2) samples.push_back(in.i16());
    return samples;
}

}  // namespace brevant::testing
