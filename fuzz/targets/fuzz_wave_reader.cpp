// RIFF WAVE files: the form, the "fmt " chunk of any size and the "data" chunk,
// as track checks, playback and render read them. What was read is written
// again with the program's writer and must read back equal. A track of another
// sample format converts to 16-bit PCM the same read whole or in odd pieces, and
// the copy written beside it holds those samples.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "fuzz_temp_file.h"
#include "track_conversion.h"
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

// A 16-bit source is read as it lies, an odd tail byte included; only a conversion promises
// whole 16-bit samples.
std::vector<std::uint8_t> readConverted(const std::string& path, std::size_t piece, bool converted)
{
    WaveFileReader reader;
    reader.convertTo16Bit(false);
    if (reader.open(path) != WaveOpenError::None || reader.findData() != WaveOpenError::None) return {};
    if (converted) FUZZ_CHECK(reader.dataSize() % 2 == 0);
    std::vector<std::uint8_t> out(static_cast<std::size_t>(reader.dataSize()));
    for (std::size_t at = 0; at < out.size();) {
        const std::size_t n = std::min(piece, out.size() - at);
        FUZZ_CHECK(reader.read(out.data() + at, n) == static_cast<std::int64_t>(n));
        at += n;
    }
    return out;
}

void checkConversion(const std::string& path, const WaveFormat& format)
{
    if (!convertibleLayout(format) || format.samplesPerSec == 0) return;
    const bool converted = format.bitsPerSample != 16;
    const auto whole = readConverted(path, 1u << 16, converted);
    FUZZ_CHECK(readConverted(path, 3, converted) == whole);
    const TrackConversion c = convertTrackTo16Bit(path, format.samplesPerSec, {}, false);
    if (!c.status) return;
    const ReadWave copy = readWave(c.convertedPath, 1u << 30);
    std::remove(c.convertedPath.c_str());
    FUZZ_CHECK(copy.error == WaveOpenError::None);
    FUZZ_CHECK(copy.data == whole);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto path = fuzzing::writeScratch("in.wav", data, size);
    const ReadWave first = readWave(path, size);
    if (first.error != WaveOpenError::None) return 0;
    checkConversion(path, first.format);

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
