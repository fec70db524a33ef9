#include "settings_folders_win32.h"

#include <windows.h>

#include <shlobj.h>

#include <string>

#include "system_files.h"

namespace talvik {

// Attributes say nothing of the folder's access rights (a read-only flag on a folder is
// ignored by Windows), so a file is really made there. GetTempFileName would do, but
// Wine's reports a name even when the file could not be made.
bool SystemSettingsFolders::canWriteIn(const std::string& folder) {
    const std::string stem = folder + (folder.empty() || folder.back() == '\\' ? "" : "\\") +
                             "~tvk" + std::to_string(GetCurrentProcessId()) + "-";
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
