#include "system_path.h"

namespace brevant {

bool fileExists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::exists(systemPath(path), ec) && !ec;
}

bool removeFile(const std::string& path) {
    std::error_code ec;
    return std::filesystem::remove(systemPath(path), ec) && !ec;
}

bool sameFile(const std::string& a, const std::string& b) {
    std::error_code ec;
    return std::filesystem::equivalent(systemPath(a), systemPath(b), ec) && !ec;
}

}  // namespace brevant
