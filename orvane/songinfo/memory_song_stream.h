// In-memory song stream for tests, with switches that make reads or writes fail.
#pragma once

#include "song_stream.h"

#include <vector>

namespace orvane {

class TMemorySongStream final : public TSongStream {
public:
    TMemorySongStream() = default;
    explicit TMemorySongStream(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}

    std::optional<std::uint64_t> Size() override;
    std::size_t ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) override;
    bool WriteAt(std::uint64_t offset, std::span<const std::uint8_t> data) override;
    bool Truncate(std::uint64_t size) override;

    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }
    int ReadCount() const { return readCount_; }

    // Failure injection: a write stores only this many bytes, then fails.
    void FailWritesAfter(std::size_t bytes) { writeLimit_ = bytes; }
    void FailSize() { failSize_ = true; }

private:
    std::vector<std::uint8_t> bytes_;
    std::optional<std::size_t> writeLimit_;
    bool failSize_ = false;
    int readCount_ = 0;
};

}  // namespace orvane
