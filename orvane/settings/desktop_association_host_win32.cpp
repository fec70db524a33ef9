#include "desktop_association_host.h"

#include <windows.h>
#include <commdlg.h>

#include <algorithm>
#include <string>
#include <vector>

#include "setting_names.h"

namespace orvane {

namespace {

UINT IconFlags(TMessageIcon icon) {
    switch (icon) {
        case TMessageIcon::Information: return MB_ICONINFORMATION;
        case TMessageIcon::Warning: return MB_ICONWARNING;
        case TMessageIcon::Error: return MB_ICONERROR;
        case TMessageIcon::Question: return MB_ICONQUESTION;
        case TMessageIcon::None: break;
    }
    return 0;
}

}  // namespace

void DesktopAssociationHost::ShowMessage(std::string_view text, TMessageIcon icon) {
    const std::string title(kApplicationTitle);
    MessageBoxA(static_cast<HWND>(owner_), std::string(text).c_str(), title.c_str(),
                MB_OK | IconFlags(icon));
}

std::optional<std::string> DesktopAssociationHost::FindPlayer() {
    // Room for long paths: a name that still does not fit makes the dialog fail
    // (reported as a failed association), it is never cut.
    std::vector<char> file(32768, '\0');
    const std::string preset = "winplay3.exe";
    std::copy(preset.begin(), preset.end(), file.begin());
    static const char filter[] = "Executable Files\0*.EXE\0";
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = static_cast<HWND>(owner_);
    ofn.lpstrFilter = filter;
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrTitle = "Find WinPlay3 ...";
    ofn.lpstrDefExt = "EXE";
    // The current folder stays where the program lists its songs.
    ofn.Flags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!GetOpenFileNameA(&ofn)) return std::nullopt;
    return std::string(file.data());
}

bool DesktopAssociationHost::FileExists(const std::string& path) const {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace orvane
