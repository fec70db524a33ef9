// An output file written beside its target and renamed over it only when complete,
// so a failed write never destroys the previous good copy.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

namespace talvik {

class ReplacingFile {
  public:
    // Throws FileError when the target name is too long or the file cannot be created.
    explicit ReplacingFile(std::string target);
    // Without commit() the partial file is removed and the target stays as it was.
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    void write(const std::uint8_t* data, std::size_t bytes);
    void commit();
    const std::string& target() const { return target_; }

  private:
    std::string target_;
    std::string temp_;
    std::FILE* file_ = nullptr;
};

}  // namespace talvik
