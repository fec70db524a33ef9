// How the loader reaches files: the system's files, or files in memory in tests.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace nuvella {

// One file open for reading; closed when destroyed.
class ReadableFile {
  public:
    virtual ~ReadableFile() = default;
    // Reads up to `size` bytes at the current position: the count read, 0 at the end of the
    // file, nothing on an error (reading a directory, say).
    virtual std::optional<std::size_t> read(char* into, std::size_t size) = 0;
    // The size the system reports now, if it knows one; the file may still grow or shrink.
    virtual std::optional<std::uint64_t> reportedSize() = 0;
};

class FileOpener {
  public:
    virtual ~FileOpener() = default;
    // Null when the file cannot be opened.
    virtual std::unique_ptr<ReadableFile> open(const std::string& path) = 0;
};

// The system's files: names are passed to the system as they are (ANSI bytes on Windows).
FileOpener& systemFiles();

}  // namespace nuvella
