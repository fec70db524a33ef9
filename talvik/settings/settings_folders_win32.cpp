#include "settings_folders_win32.h"

#include <windows.h>

#include <shlobj.h>

#include "system_files.h"

namespace talvik {

// Attributes say nothing of the folder's access rights (a read-only flag on a folder is
// ignored by Windows), so a file is really made there.
bool SystemSettingsFolders::canWriteIn(const std::string& folder) {
    char probe[MAX_PATH] = "";
    if (GetTempFileNameA(folder.c_str(), "tvk", 0, probe) == 0) {
        return false;
    }
    DeleteFileA(probe);
    return true;
}

bool SystemSettingsFolders::fileExists(const std::string& path) {
    return IsExistingFile(path);
}

std::string SystemSettingsFolders::userDataFolder() {
    char folder[MAX_PATH] = "";
    if (SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder) != S_OK) {
        return {};
    }
    return folder;
}

bool SystemSettingsFolders::makeFolder(const std::string& folder) {
    return MakeDirectory(folder);
}

}  // namespace talvik
