#include "replacing_file.h"

#include "file_error.h"
#include "file_names.h"
#include "system_files.h"

namespace talvik {

ReplacingFile::ReplacingFile(std::string target)
    : target_(std::move(target)), temp_(target_ + ".tmp") {
    CheckNameLength(target_);
    CheckNameLength(temp_);
    file_ = OpenSystemFile(temp_, "wb");
    if (file_ == nullptr) {
        throw FileError("Cannot create file " + target_);
    }
}

ReplacingFile::~ReplacingFile() {
    if (file_ != nullptr) {
        std::fclose(file_);
        RemoveSystemFile(temp_);
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
        RemoveSystemFile(temp_);
        throw FileError("Cannot write file " + target_ + " (disk full?)");
    }
    const std::string failure = RenameOver(temp_, target_);
    if (!failure.empty()) {
        RemoveSystemFile(temp_);
        throw FileError("Cannot replace file " + target_ + ": " + failure);
    }
}

}  // namespace talvik
