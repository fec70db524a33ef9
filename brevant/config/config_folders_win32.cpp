#include "config_folders_win32.h"

#include <windows.h>

#include <shlobj.h>

#include <string>

namespace brevant {

// Attributes say nothing of the folder's access rights (a read-only flag on a folder is
// ignored by Windows), so a file is really made there. GetTempFileName would do, but
// Wine's reports a name even when the file could not be made.
bool SystemConfigFolders::canWriteIn(const std::string& folder) {
    const std::string stem = folder + (folder.empty() || folder.back() == '\\' ? "" : "\\") +
                             "~brv" + std::to_string(GetCurrentProcessId()) + "-";
    for (int attempt = 0; attempt < 10; ++attempt) {
        const std::string probe = stem + std::to_string(attempt) + ".tmp";
        HANDLE file = CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            CloseHandle(file);
            return true;
        }
        if (GetLastError() != ERROR_FILE_EXISTS) {
            return false;
        }
    }
    return false;
}

bool SystemConfigFolders::fileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::string SystemConfigFolders::userDataFolder() {
    char folder[MAX_PATH] = "";
    if (SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder) != S_OK)
        return {};
    return folder;
}

bool SystemConfigFolders::makeFolder(const std::string& folder) {
    return CreateDirectoryA(folder.c_str(), nullptr) != 0;
}

}  // namespace brevant
