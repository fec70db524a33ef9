#include "set_names.h"

#include <system_error>

#include "system_path.h"
#include "text_rules.h"

namespace orvane {

namespace {

bool IsReservedDeviceName(std::string_view base) {
    // Windows opens these devices whatever extension follows.
    const std::string upper = UpperText(TrimText(base));
    for (const char* device : {"CON", "PRN", "AUX", "NUL"}) {
        if (upper == device)
            return true;
    }
    if (upper.size() == 4 && (upper.starts_with("COM") || upper.starts_with("LPT")) &&
        upper[3] >= '1' && upper[3] <= '9') {
        return true;
    }
    return false;
}

}  // namespace

std::string SetFileBaseName(std::string_view setName) {
    const std::size_t dot = setName.rfind('.');
    return std::string(setName.substr(0, dot)) + ".OVM";
}

std::filesystem::path SetFileName(const std::filesystem::path& programFolder,
                                  std::string_view setName) {
    return programFolder / SystemPath(SetFileBaseName(setName));
}

std::filesystem::path SetFileToRead(const TSetFolders& folders, std::string_view setName) {
    const std::filesystem::path kept = SetFileName(folders.write, setName);
    std::error_code error;
    if (folders.write == folders.firstPlace || std::filesystem::exists(kept, error))
        return kept;
    return SetFileName(folders.firstPlace, setName);
}

std::string CheckSetName(std::string_view setName, const std::vector<std::string>& existingNames) {
    std::string quoted(1, '"');
    quoted.append(setName);
    quoted.push_back('"');
    if (TrimText(setName).empty())
        return "Please input a set name !!";
    for (char c : setName) {
        if (static_cast<unsigned char>(c) < 32 ||
            std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos) {
            return "The set name " + quoted +
                   " cannot be used as a file name, it must not hold \\ / : * ? \" < > | !!";
        }
    }
    if (setName.find(',') != std::string_view::npos) {
        return "The set name " + quoted + " must not hold a comma !!";
    }
    const std::string base = SetFileBaseName(setName);
    if (IsReservedDeviceName(std::string_view(base).substr(0, base.find('.')))) {
        return "The set name " + quoted + " is a device name and cannot be used as a file name !!";
    }
    for (const auto& existing : existingNames) {
        if (UpperText(SetFileBaseName(existing)) == UpperText(base)) {
            return "The set name " + quoted + " would share the set file " + base +
                   " with the set \"" + existing + "\" !!";
        }
    }
    return {};
}

}  // namespace orvane
