#include "window_placement.h"

#include <string>

#include "settings_store.h"

namespace orvane {

namespace {

std::string Key(std::string_view formClass, std::string_view suffix) {
    return std::string(formClass) + "_" + std::string(suffix);
}

int ReadNumber(const ProfileFile& file, std::string_view section, const std::string& key,
               int current) {
    const auto text = file.ReadText(section, key);
    return text ? ParseStoredInteger(*text, current) : current;
}

}  // namespace

std::string PlacementFileName(std::string_view windowsDirectory, std::string_view iniFileName) {
    std::string_view name = iniFileName;
    if (const auto slash = name.find_last_of("\\/:"); slash != std::string_view::npos) {
        name.remove_prefix(slash + 1);
    }
    if (const auto dot = name.find_last_of('.'); dot != std::string_view::npos) {
        name = name.substr(0, dot);
    }
    std::string folder(windowsDirectory);
    if (!folder.empty() && folder.back() != '\\')
        folder += '\\';
    return folder + std::string(name) + ".INI";
}

TWindowPlacement ReadPlacement(const ProfileFile& file, std::string_view section,
                               std::string_view formClass, const TWindowPlacement& current) {
    TWindowPlacement read = current;
    read.width = ReadNumber(file, section, Key(formClass, "Width"), current.width);
    read.height = ReadNumber(file, section, Key(formClass, "Height"), current.height);
    read.top = ReadNumber(file, section, Key(formClass, "Top"), current.top);
    read.left = ReadNumber(file, section, Key(formClass, "Left"), current.left);
    const int state = ReadNumber(file, section, Key(formClass, "WindowState"), 2);
    if (state >= 1 && state <= 3)
        read.state = static_cast<TWindowShowState>(state);
    return read;
}

void WritePlacement(ProfileFile& file, std::string_view section, std::string_view formClass,
                    const TWindowPlacement& placement) {
    const std::pair<std::string_view, int> values[] = {
        {"Width", placement.width},
        {"Height", placement.height},
        {"Top", placement.top},
        {"Left", placement.left},
        {"WindowState", static_cast<int>(placement.state)},
    };
    for (const auto& [suffix, value] : values) {
        if (!file.WriteText(section, Key(formClass, suffix), std::to_string(value))) {
            throw PlacementWriteError("Unable to write to " + file.FileName());
        }
    }
}

}  // namespace orvane
