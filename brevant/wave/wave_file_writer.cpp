#include "wave_file_writer.h"

#include "little_endian.h"

namespace brevant {

namespace {
// The RIFF size field counts the whole file but its first 8 bytes.
constexpr std::int64_t kMaxRiffBody = 0xFFFFFFFFll - 1;
}

bool WaveFileWriter::create(const std::string& path) {
    starts_.clear();
    end_ = 0;
    return file_.open(path, BinaryFile::Mode::CreateWrite);
}

bool WaveFileWriter::header(std::string_view id) {
    LittleEndianWriter out;
    out.tag(id);
    out.u32(0);
    starts_.push_back(end_);
    if (!file_.write(out.bytes().data(), 8)) {
        starts_.pop_back();
        return false;
    }
    end_ += 8;
    return true;
}

bool WaveFileWriter::createRiff(std::string_view form) {
    if (!header("RIFF")) return false;
    LittleEndianWriter out;
    out.tag(form);
    return write(out.bytes().data(), 4);
}

bool WaveFileWriter::createChunk(std::string_view id) { return header(id); }

bool WaveFileWriter::write(const void* src, std::size_t n) {
    if (!file_.isOpen()) return false;
    const std::int64_t outer = starts_.empty() ? 0 : starts_.front();
    if (end_ + static_cast<std::int64_t>(n) - (outer + 8) > kMaxRiffBody) return false;
    if (!file_.write(src, n)) return false;
    end_ += static_cast<std::int64_t>(n);
    return true;
}

bool WaveFileWriter::ascend() {
    if (starts_.empty() || !file_.isOpen()) return false;
    const std::int64_t start = starts_.back();
    const std::int64_t size = end_ - (start + 8);
    if (size & 1) {
        const std::uint8_t pad = 0;
        if (!file_.write(&pad, 1)) return false;
        ++end_;
    }
    LittleEndianWriter out;
    out.u32(static_cast<std::uint32_t>(size));
    if (!file_.seek(start + 4) || !file_.write(out.bytes().data(), 4) || !file_.seek(end_)) return false;
    starts_.pop_back();
    return true;
}

bool WaveFileWriter::close() {
    starts_.clear();
    return file_.close();
}

}  // namespace brevant
