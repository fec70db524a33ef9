// The Win32 adapter of FolderAccess, and the per-user folder.
#include <windows.h>

#include <shlobj.h>

#include <string>

#include "folder_access.h"
#include "folder_access_win32.h"

namespace orvane {

bool Win32FolderAccess::CanWriteIn(const std::string& folder) {
    // A real file made and removed: a folder's read-only attribute means nothing for
    // folders, and a standard user's rights show only when the write is tried.
    for (int attempt = 0; attempt < 8; ++attempt) {
        const std::string probe = folder + "\\~orvane" + std::to_string(GetCurrentProcessId()) +
                                  "-" + std::to_string(attempt) + ".tmp";
        HANDLE file = CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            CloseHandle(file);
            return true;
        }
        if (GetLastError() != ERROR_FILE_EXISTS)
            return false;
    }
    return false;
}

bool Win32FolderAccess::FileExists(const std::string& path) const {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool Win32FolderAccess::MakeFolder(const std::string& folder) {
    if (CreateDirectoryA(folder.c_str(), nullptr) != FALSE)
        return true;
    const DWORD attributes = GetFileAttributesA(folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool Win32FolderAccess::CopyOrCreate(const std::string& from, const std::string& to) {
    if (!from.empty())
        return CopyFileA(from.c_str(), to.c_str(), TRUE) != FALSE;
    HANDLE file = CreateFileA(to.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    return true;
}

std::string PerUserFolder() {
    char path[MAX_PATH] = "";
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path)) ||
        path[0] == '\0')
        return {};
    return std::string(path) + "\\orvane";
}

}  // namespace orvane
