#include "single_instance.h"

namespace orvane {

std::string InstanceSemaphoreName(std::string_view programFileName, std::string_view dateText,
                                  std::string_view timeText, std::uint64_t size) {
    if (programFileName.empty())
        return {};
    return std::string(programFileName) + std::string(dateText) + std::string(timeText) +
           std::to_string(size);
}

std::string ProgramFilePart(std::string_view programPath) {
    const auto cut = programPath.find_last_of("\\/:");
    return std::string(cut == std::string_view::npos ? programPath : programPath.substr(cut + 1));
}

std::string ApplicationWindowTitle(std::string_view applicationTitle) {
    const auto cut = applicationTitle.find_last_of(":\\");
    return std::string(cut == std::string_view::npos ? applicationTitle
                                                     : applicationTitle.substr(cut + 1));
}

}  // namespace orvane
