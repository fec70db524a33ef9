// RIFF WAVE files: the form, the "fmt " chunk of any size and the "data" chunk,
// as track checks, playback and render read them. What was read is written
// again with the program's writer and must read back equal.
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_temp_file.h"
#include "wave_file_reader.h"
#include "wave_file_writer.h"

using namespace brevant;

namespace {

struct ReadWave {
    WaveOpenError error = WaveOpenError::None;
    WaveFormat format;
    std::vector<std::uint8_t> data;
};

ReadWave readWave(const std::string& path, std::uint64_t fileSize)
{
    ReadWave result;
    WaveFileReader reader;
    result.error = reader.open(path);
    if (result.error != WaveOpenError::None) return result;
    result.format = reader.format();
    result.error = reader.findData();
    if (result.error != WaveOpenError::None) return result;
    FUZZ_CHECK(reader.dataSize() <= fileSize);
    std::uint8_t block[4096];
    std::uint64_t left = reader.dataSize();
    while (left > 0) {
        const std::size_t want = left < sizeof block ? static_cast<std::size_t>(left) : sizeof block;
        const std::int64_t got = reader.read(block, want);
        FUZZ_CHECK(got == static_cast<std::int64_t>(want));
        result.data.insert(result.data.end(), block, block + want);
        left -= want;
    }
    return result;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto path = fuzzing::writeScratch("in.wav", data, size);
    const ReadWave first = readWave(path, size);
    if (first.error != WaveOpenError::None) return 0;

    const auto copy = (fuzzing::scratchDir() / "copy.wav").string();
    WaveFileWriter writer;
    FUZZ_CHECK(writer.create(copy));
    FUZZ_CHECK(writer.createRiff("WAVE"));
    FUZZ_CHECK(writer.createChunk("fmt "));
    const auto fmt = first.format.toBytes();
    FUZZ_CHECK(writer.write(fmt.data(), fmt.size()));
    FUZZ_CHECK(writer.ascend());
    FUZZ_CHECK(writer.createChunk("data"));
    FUZZ_CHECK(writer.write(first.data.data(), first.data.size()));
    FUZZ_CHECK(writer.ascend());
    FUZZ_CHECK(writer.ascend());
    FUZZ_CHECK(writer.close());

    const ReadWave second = readWave(copy, 1u << 30);
    FUZZ_CHECK(second.error == WaveOpenError::None);
    FUZZ_CHECK(second.format == first.format);
    FUZZ_CHECK(second.data == first.data);
    return 0;
}
