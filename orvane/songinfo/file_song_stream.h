// Song stream over a real file (C stdio, unbuffered: a song is read in a few
// large reads, so a stdio buffer would only add copies and system calls).
#pragma once

#include "song_stream.h"

#include <cstdio>
#include <string>

namespace orvane {

class TFileSongStream final : public TSongStream {
public:
    enum class TMode { Read, ReadWrite };

    TFileSongStream(const std::string& fileName, TMode mode);
    ~TFileSongStream() override;
    TFileSongStream(const TFileSongStream&) = delete;
    TFileSongStream& operator=(const TFileSongStream&) = delete;

    bool IsOpen() const { return file_ != nullptr; }
    // The system's reason when opening failed.
    const std::string& OpenError() const { return openError_; }

    std::optional<std::uint64_t> Size() override;
    std::size_t ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) override;
    bool WriteAt(std::uint64_t offset, std::span<const std::uint8_t> data) override;
    bool Truncate(std::uint64_t size) override;
    std::optional<std::uint64_t> ReadTail(std::span<std::uint8_t> out) override;
    // Flushes and closes; false when the last writes did not reach the file.
    bool Close();

private:
    bool SeekTo(std::uint64_t offset);

    std::FILE* file_ = nullptr;
    std::string fileName_;
    std::string openError_;
    std::uint64_t position_ = 0;
    bool positionKnown_ = false;
    bool lastWasWrite_ = false;
};

}  // namespace orvane
