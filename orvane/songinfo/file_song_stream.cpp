#include "file_song_stream.h"

#include <cerrno>
#ifndef _WIN32
#include <unistd.h>
#endif
#include <cstring>
#include <filesystem>

#include <limits>
#include <system_error>
#include "system_path.h"

namespace orvane {
namespace {

// long is 32 bits on Windows: use the 64-bit seek there so songs over 2 GB
// never wrap.
bool SeekFile(std::FILE* file, std::uint64_t offset, int origin) {
    if (offset > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()))
        return false;
#ifdef _WIN32
    return _fseeki64(file, static_cast<long long>(offset), origin) == 0;
#else
    if (offset > static_cast<std::uint64_t>(std::numeric_limits<long>::max()))
        return false;
    return std::fseek(file, static_cast<long>(offset), origin) == 0;
#endif
}

std::optional<std::uint64_t> TellFile(std::FILE* file) {
#ifdef _WIN32
    const long long at = _ftelli64(file);
#else
    const long at = std::ftell(file);
#endif
    if (at < 0)
        return std::nullopt;
    return static_cast<std::uint64_t>(at);
}

}  // namespace

TFileSongStream::TFileSongStream(const std::string& fileName, TMode mode) : fileName_(fileName) {
    file_ = std::fopen(fileName.c_str(), mode == TMode::Read ? "rb" : "r+b");
    if (file_ == nullptr) {
        openError_ = std::strerror(errno);
        return;
    }
    std::setvbuf(file_, nullptr, _IONBF, 0);
    positionKnown_ = true;
}

TFileSongStream::~TFileSongStream() {
    Close();
}

bool TFileSongStream::Close() {
    if (file_ == nullptr)
        return true;
    const bool flushed = std::fflush(file_) == 0;
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    return flushed && closed;
}

bool TFileSongStream::SeekTo(std::uint64_t offset) {
    // Skipping a seek to where the file already is saves a system call per read.
    if (positionKnown_ && position_ == offset && !lastWasWrite_)
        return true;
    positionKnown_ = SeekFile(file_, offset, SEEK_SET);
    position_ = offset;
    lastWasWrite_ = false;
    return positionKnown_;
}

std::optional<std::uint64_t> TFileSongStream::Size() {
    if (file_ == nullptr || !SeekFile(file_, 0, SEEK_END)) {
        positionKnown_ = false;
        return std::nullopt;
    }
    const auto size = TellFile(file_);
    positionKnown_ = size.has_value();
    position_ = size.value_or(0);
    lastWasWrite_ = false;
    return size;
}

std::size_t TFileSongStream::ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) {
    if (file_ == nullptr || out.empty() || !SeekTo(offset))
        return 0;
    const std::size_t count = std::fread(out.data(), 1, out.size(), file_);
    position_ += count;
    if (count < out.size()) {
        std::clearerr(file_);
        positionKnown_ = false;
    }
    return count;
}

bool TFileSongStream::WriteAt(std::uint64_t offset, std::span<const std::uint8_t> data) {
    if (file_ == nullptr)
        return false;
    // C stdio needs a positioning call between a read and a write.
    positionKnown_ = false;
    if (!SeekTo(offset))
        return false;
    const std::size_t count = std::fwrite(data.data(), 1, data.size(), file_);
    position_ += count;
    lastWasWrite_ = true;
    return count == data.size() && std::fflush(file_) == 0;
}

std::optional<std::uint64_t> TFileSongStream::ReadTail(std::span<std::uint8_t> out) {
    if (file_ == nullptr || out.empty())
        return TSongStream::ReadTail(out);
    // One seek from the end finds the size and the tail together.
    positionKnown_ = false;
    lastWasWrite_ = false;
#ifndef _WIN32
    // stdio's seek from the end asks the system for the size first: the descriptor's own seek
    // returns it, one system call fewer per song. The stream is unbuffered and its position is
    // marked unknown, so its next read seeks again first.
    if (std::fflush(file_) == 0) {
        const int descriptor = fileno(file_);
        const off_t at = ::lseek(descriptor, -static_cast<off_t>(out.size()), SEEK_END);
        if (at >= 0) {
            const ssize_t count = ::read(descriptor, out.data(), out.size());
            if (count != static_cast<ssize_t>(out.size()))
                return std::nullopt;
            return static_cast<std::uint64_t>(at) + out.size();
        }
    }
#endif
#ifdef _WIN32
    const bool sought = _fseeki64(file_, -static_cast<long long>(out.size()), SEEK_END) == 0;
#else
    const bool sought = std::fseek(file_, -static_cast<long>(out.size()), SEEK_END) == 0;
#endif
    if (!sought)
        return TSongStream::ReadTail(out);  // shorter than the tail
    const auto at = TellFile(file_);
    if (!at)
        return std::nullopt;
    const std::size_t count = std::fread(out.data(), 1, out.size(), file_);
    if (count != out.size()) {
        std::clearerr(file_);
        return std::nullopt;
    }
    position_ = *at + count;
    positionKnown_ = true;
    return *at + count;
}

bool TFileSongStream::Truncate(std::uint64_t size) {
    if (file_ == nullptr)
        return false;
    std::fflush(file_);
    positionKnown_ = false;
    std::error_code error;
    std::filesystem::resize_file(SystemPath(fileName_), size, error);
    return !error;
}

}  // namespace orvane
