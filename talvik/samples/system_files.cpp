#include "system_files.h"

#include <filesystem>
#include <system_error>

namespace talvik {

std::FILE* OpenSystemFile(const std::string& name, const char* mode) {
    return std::fopen(name.c_str(), mode);
}

bool IsExistingFile(const std::string& name) {
    std::error_code ec;
    auto status = std::filesystem::status(name, ec);
    return !ec && std::filesystem::exists(status) && !std::filesystem::is_directory(status);
}

bool MakeDirectory(const std::string& name) {
    std::error_code ec;
    return std::filesystem::create_directory(name, ec);
}

bool RemoveSystemFile(const std::string& name) {
    std::error_code ec;
    return std::filesystem::remove(name, ec);
}

std::string RenameOver(const std::string& from, const std::string& to) {
    std::error_code ec;
    std::filesystem::rename(from, to, ec);
    return ec ? ec.message() : std::string();
}

}  // namespace talvik
