#include "wave_file_reader.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "little_endian.h"

namespace brevant {

namespace {

struct ChunkHeader {
    char id[4];
    std::uint32_t size;
};

bool readHeader(BinaryFile& file, ChunkHeader& header) {
    std::uint8_t raw[8];
    if (file.read(raw, 8) != 8) return false;
    std::memcpy(header.id, raw, 4);
    LittleEndianReader in(raw + 4, 4);
    header.size = in.u32();
    return true;
}

}  // namespace

WaveOpenError WaveFileReader::open(const std::string& path) {
    dataSize_ = 0;
    if (!file_.open(path, BinaryFile::Mode::Read)) return WaveOpenError::CannotOpen;
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
    if (!findChunk("fmt ", formBodyStart_, fmtStart, fmtSize)) return WaveOpenError::NoFmtChunk;
    // The whole chunk is read whatever its size, as the format record may carry
    // extra fields; a size claiming more than 64 KiB (no real format does) is
    // taken as 64 KiB so a damaged header cannot ask for a huge allocation.
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(std::min<std::uint64_t>(fmtSize, 1u << 16)));
    if (!file_.seek(fmtStart) || file_.read(bytes.data(), bytes.size()) != bytes.size()) {
        return WaveOpenError::FormatUnread;
    }
    auto format = WaveFormat::fromBytes(bytes);
    if (!format) return WaveOpenError::FormatUnread;
    format_ = std::move(*format);
    return WaveOpenError::None;
}

WaveOpenError WaveFileReader::findData() {
    std::int64_t start = 0;
    std::uint64_t size = 0;
    if (!findChunk("data", formBodyStart_, start, size) || !file_.seek(start)) return WaveOpenError::NoDataChunk;
    dataSize_ = size;
    return WaveOpenError::None;
}

bool WaveFileReader::findChunk(const char* id, std::int64_t from, std::int64_t& bodyStart, std::uint64_t& bodySize) {
    std::int64_t pos = from;
    while (pos + 8 <= formEnd_) {
        ChunkHeader header{};
        if (!file_.seek(pos) || !readHeader(file_, header)) return false;
        const std::int64_t body = pos + 8;
        if (std::memcmp(header.id, id, 4) == 0) {
            bodyStart = body;
            bodySize = std::min<std::uint64_t>(header.size, static_cast<std::uint64_t>(formEnd_ - body));
            return true;
        }
        // Chunks of odd size are followed by one pad byte.
        pos = body + static_cast<std::int64_t>(header.size) + (header.size & 1u);
    }
    return false;
}

std::int64_t WaveFileReader::read(void* dst, std::size_t n) {
    const std::size_t got = file_.read(dst, n);
    if (got < n && file_.readFailed()) return -1;
    return static_cast<std::int64_t>(got);
}

bool WaveFileReader::skip(std::uint64_t n) { return file_.skip(static_cast<std::int64_t>(n)); }

}  // namespace brevant
