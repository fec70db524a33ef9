// A plain binary file: unbuffered reads, writes and seeks with 64-bit offsets.
// Unbuffered, because the engine reads whole blocks straight into its own buffers.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace brevant {

class BinaryFile {
  public:
    enum class Mode { Read, CreateWrite };

    BinaryFile() = default;
    BinaryFile(const BinaryFile&) = delete;
    BinaryFile& operator=(const BinaryFile&) = delete;
    BinaryFile(BinaryFile&& other) noexcept : file_(other.file_) { other.file_ = nullptr; }
    BinaryFile& operator=(BinaryFile&& other) noexcept;
    ~BinaryFile() { close(); }

    // CreateWrite replaces any existing file.
    bool open(const std::string& path, Mode mode);
    bool isOpen() const { return file_ != nullptr; }
    // Bytes read; fewer than asked at the end of the file; 0 on error too (see failed()).
    std::size_t read(void* dst, std::size_t n);
    bool readFailed() const;
    bool write(const void* src, std::size_t n);
    bool seek(std::int64_t offset);
    bool skip(std::int64_t delta);
    std::int64_t tell() const;
    std::int64_t size() const;
    bool flush();
    // False when the final flush failed.
    bool close();

  private:
    std::FILE* file_ = nullptr;
};

// Reads the whole file; false when it cannot be opened or read.
bool readWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes);

}  // namespace brevant
