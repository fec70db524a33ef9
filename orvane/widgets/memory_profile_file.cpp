#include "memory_profile_file.h"

namespace orvane {

std::optional<std::string> MemoryProfileFile::ReadText(std::string_view section,
                                                       std::string_view key) const {
    const auto it = values.find(std::string(section) + "/" + std::string(key));
    if (it == values.end())
        return std::nullopt;
    return it->second;
}

bool MemoryProfileFile::WriteText(std::string_view section, std::string_view key,
                                  std::string_view value) {
    if (failWrites)
        return false;
    values[std::string(section) + "/" + std::string(key)] = value;
    return true;
}

}  // namespace orvane
