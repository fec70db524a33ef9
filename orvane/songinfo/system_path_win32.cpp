// On Windows the narrow names are ANSI: convert through CP_ACP to the wide names the
// runtime's std::filesystem hands to the system.
#include <windows.h>

#include "system_path.h"

namespace orvane {

std::filesystem::path SystemPath(const std::string& fileName) {
    if (fileName.empty())
        return {};
    const int length = MultiByteToWideChar(CP_ACP, 0, fileName.data(),
                                           static_cast<int>(fileName.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, fileName.data(), static_cast<int>(fileName.size()), wide.data(),
                        length);
    return std::filesystem::path(wide);
}

std::string SystemPathText(const std::filesystem::path& path) {
    const std::wstring& wide = path.native();
    if (wide.empty())
        return {};
    const int length = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()),
                                           nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), text.data(), length,
                        nullptr, nullptr);
    return text;
}

}  // namespace orvane
