#include "current_directory.h"

#include <filesystem>
#include <system_error>

namespace nuvella {

std::vector<std::string> listCurrentDirectory() {
    std::vector<std::string> names;
    std::error_code error;
    std::filesystem::directory_iterator it(std::filesystem::current_path(error), error);
    if (error) {
        return names;
    }
    for (const auto end = std::filesystem::directory_iterator(); it != end; it.increment(error)) {
        if (error) {
            break;
        }
        names.push_back(it->path().filename().string());
    }
    return names;
}

}  // namespace nuvella
