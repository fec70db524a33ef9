#include "config_place.h"

namespace brevant {

namespace {

#ifdef _WIN32
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

bool isSeparator(char c) {
    return c == '/' || c == kSeparator;
}

std::string joined(const std::string& folder, const std::string& name) {
    if (!folder.empty() && isSeparator(folder.back()))
        return folder + name;
    return folder + kSeparator + name;
}

// The folder part of a path; a drive root keeps its separator ("C:\").
std::string folderOf(const std::string& path) {
    const std::size_t cut = path.find_last_of(std::string("/") + kSeparator);
    if (cut == std::string::npos)
        return ".";
    if (cut == 0 || path[cut - 1] == ':')
        return path.substr(0, cut + 1);
    return path.substr(0, cut);
}

std::string fileNameOf(const std::string& path) {
    const std::size_t cut = path.find_last_of(std::string("/") + kSeparator);
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

}  // namespace

ConfigPlace chooseConfigPlace(const std::string& firstPath, ConfigFolders& folders) {
    const std::string startFolder = folderOf(firstPath);
    if (folders.canWriteIn(startFolder))
        return {firstPath, firstPath, {}};
    const std::string name = fileNameOf(firstPath);
    const std::string root = folders.userDataFolder();
    const std::string own = root.empty() ? std::string() : joined(root, kOwnConfigFolderName);
    const std::string copy = own.empty() ? std::string() : joined(own, name);
    if (!copy.empty() && folders.fileExists(copy))
        return {copy, copy, {}};  // said when the copy was made
    if (!own.empty()) {
        folders.makeFolder(own);
        if (folders.canWriteIn(own))
            return {firstPath, copy,
                    "Brevant cannot write to " + startFolder + "; it keeps " + name + " in " + own +
                        " instead."};
    }
    // Still tried at exit, whose failure is shown as any failed save is.
    const std::string where = own.empty() ? std::string() : " nor to " + own;
    return {firstPath, copy.empty() ? firstPath : copy,
            "Brevant cannot write to " + startFolder + where + ": the settings of this run (" +
                name + ") cannot be kept."};
}

}  // namespace brevant
