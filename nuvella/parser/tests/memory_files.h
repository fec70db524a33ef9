// Files in memory for the loader's tests, counting the bytes read through them. A file is a
// text followed by filler bytes up to its size, so a large file costs no memory.
#pragma once

#include <algorithm>
#include <cstring>
#include <map>
#include <optional>
#include <string>

#include "readable_file.h"

namespace nuvella::testing {

class MemoryFiles final : public FileOpener {
  public:
    struct File {
        std::string text;
        std::size_t size = 0;                   // text, then filler up to here
        std::optional<std::uint64_t> reported;  // the size the system would report
    };

    void add(const std::string& name, std::string text, std::size_t size = 0,
             std::optional<std::uint64_t> reported = std::nullopt) {
        const std::size_t whole = std::max(size, text.size());
        files_[name] = File{std::move(text), whole, reported ? reported : whole};
    }

    std::unique_ptr<ReadableFile> open(const std::string& path) override {
        const auto found = files_.find(path);
        if (found == files_.end()) {
            return nullptr;
        }
        return std::make_unique<Reader>(found->second, bytesRead);
    }

    std::size_t bytesRead = 0;  // over every file opened

  private:
    class Reader final : public ReadableFile {
      public:
        Reader(const File& file, std::size_t& counter) : file_(file), counter_(counter) {}
        std::optional<std::size_t> read(char* into, std::size_t size) override {
            const std::size_t n = std::min(size, file_.size - position_);
            for (std::size_t i = 0; i < n; ++i, ++position_) {
                into[i] = position_ < file_.text.size() ? file_.text[position_] : 'x';
            }
            counter_ += n;
            return n;
        }
        std::optional<std::uint64_t> reportedSize() override { return file_.reported; }

      private:
        const File& file_;
        std::size_t& counter_;
        std::size_t position_ = 0;
    };

    std::map<std::string, File> files_;
};

}  // namespace nuvella::testing
