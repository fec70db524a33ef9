// Hostile WAVE files, each named after its fault: every one is refused with its
// error or read within the file's bounds, never read past its end.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "wave_file_reader.h"
#include "wave_test_files.h"

namespace brevant {
namespace {

using testing::pcmFormatBytes;
using testing::riffBytes;
using testing::sampleBytes;
using testing::TempDir;

// Overwrites the size field of the chunk `id` (the first one) with `size`.
std::vector<std::uint8_t> withChunkSize(std::vector<std::uint8_t> bytes, const char* id, std::uint32_t size) {
    for (std::size_t i = 12; i + 8 <= bytes.size(); ++i) {
        if (std::memcmp(bytes.data() + i, id, 4) == 0) {
            for (int b = 0; b < 4; ++b) bytes[i + 4 + static_cast<std::size_t>(b)] = static_cast<std::uint8_t>(size >> (8 * b));
            break;
        }
    }
    return bytes;
}

struct HostileWave {
    const char* name;
    std::vector<std::uint8_t> bytes;
    WaveOpenError open;
    WaveOpenError data;
    std::uint64_t dataSize;
};

std::vector<HostileWave> hostileWaves() {
    const auto fmt = pcmFormatBytes(1, 8000, 16);
    const auto data = sampleBytes({1, 2, 3, 4});
    const auto plain = riffBytes("WAVE", {{"fmt ", fmt}, {"data", data}});
    auto cutData = plain;
    cutData.resize(cutData.size() - 3);
    return {
        {"zero-size-fmt-chunk", riffBytes("WAVE", {{"fmt ", {}}, {"data", data}}), WaveOpenError::FormatUnread,
         WaveOpenError::None, 0},
        // The chunk is bounded by the file: the rest of the file is its extra bytes.
        {"fmt-size-past-end", withChunkSize(plain, "fmt ", 0xFFFFFFF0u), WaveOpenError::None,
         WaveOpenError::NoDataChunk, 0},
        {"chunk-size-past-end-before-fmt",
         withChunkSize(riffBytes("WAVE", {{"LIST", {1, 2}}, {"fmt ", fmt}, {"data", data}}), "LIST", 0xFFFFFFFFu),
         WaveOpenError::NoFmtChunk, WaveOpenError::None, 0},
        {"data-size-past-end", withChunkSize(plain, "data", 0x7FFFFFFFu), WaveOpenError::None, WaveOpenError::None,
         8},
        {"data-cut-short", cutData, WaveOpenError::None, WaveOpenError::None, 5},
        {"riff-size-zero", riffBytes("WAVE", {{"fmt ", fmt}, {"data", data}}, 0), WaveOpenError::NoFmtChunk,
         WaveOpenError::None, 0},
        {"riff-size-past-end", riffBytes("WAVE", {{"fmt ", fmt}, {"data", data}}, 0xFFFFFFFFu), WaveOpenError::None,
         WaveOpenError::None, 8},
        {"riff-header-only", {'R', 'I', 'F', 'F', 4, 0, 0, 0, 'W', 'A', 'V', 'E'}, WaveOpenError::NoFmtChunk,
         WaveOpenError::None, 0},
        {"eleven-bytes", {'R', 'I', 'F', 'F', 4, 0, 0, 0, 'W', 'A', 'V'}, WaveOpenError::NotWave,
         WaveOpenError::None, 0},
    };
}

TEST(HostileWave, RefusedWithItsErrorOrReadWithinTheFile) {
    TempDir dir;
    for (const HostileWave& c : hostileWaves()) {
        SCOPED_TRACE(c.name);
        const std::string path = dir.file(std::string(c.name) + ".wav");
        testing::writeBytes(path, c.bytes);
        WaveFileReader reader;
        ASSERT_EQ(reader.open(path), c.open);
        if (c.open != WaveOpenError::None) continue;
        ASSERT_EQ(reader.findData(), c.data);
        if (c.data != WaveOpenError::None) continue;
        EXPECT_EQ(reader.dataSize(), c.dataSize);
        std::vector<std::uint8_t> buffer(static_cast<std::size_t>(reader.dataSize()) + 16);
        EXPECT_EQ(reader.read(buffer.data(), static_cast<std::size_t>(reader.dataSize())),
                  static_cast<std::int64_t>(reader.dataSize()));
    }
}

}  // namespace
}  // namespace brevant
