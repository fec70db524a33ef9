#include <windows.h>

#include "system_path.h"

namespace brevant {

namespace {

std::wstring widen(const std::string& text) {
    if (text.empty())
        return {};
    const int n =
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
    return wide;
}

}  // namespace

// The ANSI code page, as the A calls would convert the name.
std::filesystem::path systemPath(const std::string& path) {
    return std::filesystem::path(widen(path));
}

std::FILE* openFile(const std::string& path, const char* mode) {
    return _wfopen(widen(path).c_str(), widen(mode).c_str());
}

}  // namespace brevant
