// A track file opened for reading in blocks; positions and sizes are 64-bit so
// tracks beyond 2 GiB keep correct positions.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

namespace talvik {

class TrackFile {
  public:
    // Throws FileError naming the file when it cannot be opened.
    explicit TrackFile(const std::string& name);
    ~TrackFile();
    TrackFile(const TrackFile&) = delete;
    TrackFile& operator=(const TrackFile&) = delete;

    const std::string& name() const { return name_; }
    std::int64_t sizeBytes() const { return size_; }
    void seek(std::int64_t byteOffset);
    // Reads up to `bytes`; returns the number read, less only at the end of the file.
    std::size_t read(std::uint8_t* buffer, std::size_t bytes);

  private:
    std::string name_;
    std::FILE* file_ = nullptr;
    std::int64_t size_ = 0;
};

// True when a file (not a directory) of this name exists.
bool TrackFileExists(const std::string& name);

}  // namespace talvik
