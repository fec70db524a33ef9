// Elsewhere than on Windows the system takes file names as bytes.
#include "system_path.h"

namespace orvane {

std::filesystem::path SystemPath(const std::string& fileName) {
    return fileName;
}

std::string SystemPathText(const std::filesystem::path& path) {
    return path.string();
}

}  // namespace orvane
