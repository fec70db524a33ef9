#include "wave_file_reader.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "little_endian.h"

namespace brevant {

Status waveOpenStatus(WaveOpenError e) {
    switch (e) {
        case WaveOpenError::None:
            return Status::ok();
        case WaveOpenError::CannotOpen:
            return Status::fail("Error opening the file.");
        case WaveOpenError::NotWave:
            return Status::fail("This is not a WAVE file.");
        case WaveOpenError::NoFmtChunk:
            return Status::fail("The file has no fmt chunk.");
        case WaveOpenError::FormatUnread:
        case WaveOpenError::NoDataChunk:
            break;
    }
    return Status::fail("Unable to read file format.");
}

namespace {

struct ChunkHeader {
    char id[4];
    std::uint32_t size;
};

bool readHeader(BinaryFile& file, ChunkHeader& header) {
    std::uint8_t raw[8];
    if (file.read(raw, 8) != 8)
        return false;
    std::memcpy(header.id, raw, 4);
    LittleEndianReader in(raw + 4, 4);
    header.size = in.u32();
    return true;
}

}  // namespace

WaveOpenError WaveFileReader::open(const std::string& path) {
    dataSize_ = 0;
    if (!file_.open(path, BinaryFile::Mode::Read))
        return WaveOpenError::CannotOpen;
    const std::int64_t fileSize = file_.size();
    ChunkHeader riff{};
    char form[4];
    if (fileSize < 12 || !readHeader(file_, riff) || std::memcmp(riff.id, "RIFF", 4) != 0 ||
        file_.read(form, 4) != 4 || std::memcmp(form, "WAVE", 4) != 0) {
        return WaveOpenError::NotWave;
    }
    formBodyStart_ = 12;
    // A form size that runs past the end of the file (an interrupted write) is
    // bounded by the file; sub-chunks never reach beyond either.
    formEnd_ = std::min<std::int64_t>(8 + static_cast<std::int64_t>(riff.size), fileSize);

    std::int64_t fmtStart = 0;
    std::uint64_t fmtSize = 0;
    if (!findChunk("fmt ", formBodyStart_, fmtStart, fmtSize))
        return WaveOpenError::NoFmtChunk;
    // The whole chunk is read whatever its size, as the format record may carry
    // extra fields; a size claiming more than 64 KiB (no real format does) is
    // taken as 64 KiB so a damaged header cannot ask for a huge allocation.
    std::vector<std::uint8_t> bytes(
        static_cast<std::size_t>(std::min<std::uint64_t>(fmtSize, 1u << 16)));
    if (!file_.seek(fmtStart) || file_.read(bytes.data(), bytes.size()) != bytes.size()) {
        return WaveOpenError::FormatUnread;
    }
    auto format = WaveFormat::fromBytes(bytes);
    if (!format)
        return WaveOpenError::FormatUnread;
    fileFormat_ = *format;
    format_ = std::move(*format);
    converter_.reset();
    if (converting_) {
        const auto layout = convertibleLayout(format_);
        if (layout && (layout->kind == SampleLayout::Kind::Float || layout->bits != 16)) {
            converter_ = std::make_unique<SampleConverter>(*layout, dither_);
            format_ = WaveFormat::pcm(layout->channels, format_.samplesPerSec, 16);
        }
    }
    return WaveOpenError::None;
}

WaveOpenError WaveFileReader::findData() {
    std::int64_t start = 0;
    std::uint64_t size = 0;
    if (!findChunk("data", formBodyStart_, start, size) || !file_.seek(start))
        return WaveOpenError::NoDataChunk;
    dataSize_ = size;
    if (converter_) {
        // Whole frames only: a frame cut off at the end of the chunk is dropped.
        const SampleLayout& layout = converter_->layout();
        dataSize_ = size / layout.frameBytes() * layout.channels * 2;
        sourceStart_ = start;
        convertedPos_ = 0;
    }
    return WaveOpenError::None;
}

bool WaveFileReader::findChunk(const char* id, std::int64_t from, std::int64_t& bodyStart,
                               std::uint64_t& bodySize) {
    std::int64_t pos = from;
    while (pos + 8 <= formEnd_) {
        ChunkHeader header{};
        if (!file_.seek(pos) || !readHeader(file_, header))
            return false;
        const std::int64_t body = pos + 8;
        if (std::memcmp(header.id, id, 4) == 0) {
            bodyStart = body;
            bodySize =
                std::min<std::uint64_t>(header.size, static_cast<std::uint64_t>(formEnd_ - body));
            return true;
        }
        // Chunks of odd size are followed by one pad byte.
        pos = body + static_cast<std::int64_t>(header.size) + (header.size & 1u);
    }
    return false;
}

std::int64_t WaveFileReader::read(void* dst, std::size_t n) {
    if (converter_)
        return readConverted(static_cast<std::uint8_t*>(dst), n);
    const std::size_t got = file_.read(dst, n);
    if (got < n && file_.readFailed())
        return -1;
    return static_cast<std::int64_t>(got);
}

bool WaveFileReader::skip(std::uint64_t n) {
    if (converter_) {
        convertedPos_ += std::min(n, dataSize_ - std::min(convertedPos_, dataSize_));
        return true;
    }
    return file_.skip(static_cast<std::int64_t>(n));
}

std::int64_t WaveFileReader::readConverted(std::uint8_t* dst, std::size_t n) {
    constexpr std::size_t kBlockSamples = 8192;
    const std::size_t sampleBytes = converter_->layout().sampleBytes();
    n = static_cast<std::size_t>(
        std::min<std::uint64_t>(n, dataSize_ - std::min(convertedPos_, dataSize_)));
    sourceBlock_.resize(kBlockSamples * sampleBytes);
    convertedBlock_.resize(kBlockSamples);
    std::size_t done = 0;
    while (done < n) {
        // A position may fall inside a sample (a caller reading odd sizes): that sample is
        // converted again and its second byte taken.
        const std::uint64_t sample = convertedPos_ / 2;
        const std::size_t inSample = static_cast<std::size_t>(convertedPos_ % 2);
        const std::size_t count = std::min(kBlockSamples, (n - done + inSample + 1) / 2);
        const auto at = sourceStart_ + static_cast<std::int64_t>(sample * sampleBytes);
        if ((file_.tell() != at && !file_.seek(at)) ||
            file_.read(sourceBlock_.data(), count * sampleBytes) != count * sampleBytes) {
            return -1;
        }
        converter_->convert(sourceBlock_.data(), count, convertedBlock_.data());
        const std::size_t take = std::min(count * 2 - inSample, n - done);
        for (std::size_t i = 0; i < take; ++i) {
            const std::size_t byte = inSample + i;
            const auto value = static_cast<std::uint16_t>(convertedBlock_[byte / 2]);
            dst[done + i] = static_cast<std::uint8_t>(byte % 2 == 0 ? value & 0xFF : value >> 8);
        }
        done += take;
        convertedPos_ += take;
    }
    return static_cast<std::int64_t>(n);
}

}  // namespace brevant
