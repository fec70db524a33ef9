#include "settings_place.h"

#include "file_names.h"
#include "settings_record.h"

namespace talvik {

namespace {

std::string Joined(const std::string& folder, const std::string& name) {
    if (!folder.empty() && (folder.back() == '/' || folder.back() == kDirSeparator)) {
        return folder + name;
    }
    return folder + kDirSeparator + name;
}

}  // namespace

SettingsPlace ChooseSettingsPlace(const std::string& startupDir, SettingsFolders& folders) {
    const std::string first = SettingsFilePath(startupDir);
    if (folders.canWriteIn(startupDir)) {
        return {first, first, {}};
    }
    const std::string root = folders.userDataFolder();
    const std::string own = root.empty() ? std::string() : Joined(root, kOwnFolderName);
    const std::string copy = own.empty() ? std::string() : SettingsFilePath(own);
    if (!copy.empty() && folders.fileExists(copy)) {
        return {copy, copy, {}};  // said when the copy was made
    }
    if (!own.empty()) {
        folders.makeFolder(own);
        if (folders.canWriteIn(own)) {
            return {first, copy,
                    "Talvik cannot write to " + startupDir + "; it keeps tvk.prf in " + own +
                        " instead."};
        }
    }
    // Still tried at shut-down, whose failure is shown as any failed save is.
    const std::string where = own.empty() ? std::string() : " nor to " + own;
    return {first, copy.empty() ? first : copy,
            "Talvik cannot write to " + startupDir + where +
                ": the settings of this run (tvk.prf) cannot be kept.",
            false};
}

}  // namespace talvik
