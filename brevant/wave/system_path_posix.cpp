#include "system_path.h"

namespace brevant {

// Names are bytes here: passed on as they are.
std::filesystem::path systemPath(const std::string& path) {
    return std::filesystem::path(path);
}

std::FILE* openFile(const std::string& path, const char* mode) {
    return std::fopen(path.c_str(), mode);
}

}  // namespace brevant
