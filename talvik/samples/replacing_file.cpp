#include "replacing_file.h"

#include <filesystem>
#include <system_error>

#include "file_error.h"
#include "file_names.h"

namespace talvik {

ReplacingFile::ReplacingFile(std::string target)
    : target_(std::move(target)), temp_(target_ + ".tmp") {
    CheckNameLength(target_);
    CheckNameLength(temp_);
    file_ = std::fopen(temp_.c_str(), "wb");
    if (file_ == nullptr) {
        throw FileError("Cannot create file " + target_);
    }
}

ReplacingFile::~ReplacingFile() {
    if (file_ != nullptr) {
        std::fclose(file_);
        std::error_code ec;
        std::filesystem::remove(temp_, ec);
    }
}

void ReplacingFile::write(const std::uint8_t* data, std::size_t bytes) {
    if (bytes > 0 && std::fwrite(data, 1, bytes, file_) != bytes) {
        throw FileError("Cannot write file " + target_ + " (disk full?)");
    }
}

void ReplacingFile::commit() {
    std::FILE* f = file_;
    file_ = nullptr;
    if (std::fclose(f) != 0) {
        std::error_code ignored;
        std::filesystem::remove(temp_, ignored);
        throw FileError("Cannot write file " + target_ + " (disk full?)");
    }
    std::error_code ec;
    std::filesystem::rename(temp_, target_, ec);
    if (ec) {
        std::error_code ignored;
        std::filesystem::remove(temp_, ignored);
        throw FileError("Cannot replace file " + target_ + ": " + ec.message());
    }
}

}  // namespace talvik
