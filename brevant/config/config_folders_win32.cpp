#include "config_folders_win32.h"

#include <windows.h>

#include <shlobj.h>

namespace brevant {

// Attributes say nothing of the folder's access rights (a read-only flag on a folder is
// ignored by Windows), so a file is really made there.
bool SystemConfigFolders::canWriteIn(const std::string& folder) {
    char probe[MAX_PATH] = "";
    if (GetTempFileNameA(folder.c_str(), "brv", 0, probe) == 0)
        return false;
    DeleteFileA(probe);
    return true;
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
