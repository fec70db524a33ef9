// Random-access byte stream over one song file: the seam between the song
// information code and the file system, so tests can use memory instead.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace orvane {

class TSongStream {
public:
    virtual ~TSongStream() = default;

    // Size in bytes; nullopt when it cannot be told.
    virtual std::optional<std::uint64_t> Size() = 0;
    // Reads up to out.size() bytes at offset; returns how many were read
    // (fewer at the end of the stream or on an error).
    virtual std::size_t ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) = 0;
    // Writes all of data at offset, growing the stream when needed.
    virtual bool WriteAt(std::uint64_t offset, std::span<const std::uint8_t> data) = 0;
    // Cuts the stream back to size bytes (undoes a failed append).
    virtual bool Truncate(std::uint64_t size) = 0;

    // The size, with the last out.size() bytes read into out when the stream
    // is at least that long (out is left alone otherwise). A file can do
    // this in fewer system calls than Size and ReadAt.
    virtual std::optional<std::uint64_t> ReadTail(std::span<std::uint8_t> out)
    {
        const auto size = Size();
        if (!size || *size < out.size()) return size;
        if (ReadAt(*size - out.size(), out) != out.size()) return std::nullopt;
        return size;
    }
};

}  // namespace orvane
