// Loading the current set into the song list and saving it back.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "column_widths.h"
#include "set_file_image.h"
#include "set_names.h"
#include "settings_store.h"

namespace orvane {

struct TLoadedSet {
    // The control's records and the entries, state images already set for showing.
    TSetFileImage image;
    int currentIndex = -1;
    // The entry to select (and to scroll to); -1 for none. A position in image.entries as
    // read: a list that sorts on loading finds it with TSongList::AssignSet.
    int selectIndex = -1;
    // True when the list should take the focus (a now-playing entry was found).
    bool focusList = false;
    // Why the file could not be read whole; the list keeps what was read. Not shown.
    std::string error;
    // An existing set file that could not be read whole is copied beside it as
    // "NAME.OVM.damaged" before any save replaces it; this says so, once, for the window's
    // message box (empty when the file was read whole or is new).
    std::string notice;
};

inline constexpr std::string_view kDamagedSuffix = ".damaged";

// A missing file (a new set) or a damaged one gives what could be read, never a failure.
// The file is SetFileToRead; a damaged one is kept in folders.write.
TLoadedSet LoadCurrentSet(const SettingsStore& store, const TSetFolders& folders,
                          std::string_view currentSetName, bool showUsedIcon);

// Stores the column widths, then writes the entries to the set's file (replacing it only
// once the new copy is complete). Throws SetFileError or SettingsWriteError. Returns how
// many texts were cut to 255 characters.
std::size_t SaveCurrentSet(SettingsStore& store, const TSetFolders& folders,
                           std::string_view currentSetName, const TSetFileImage& control,
                           const std::vector<TSongEntry>& rows, const TColumnWidths& widths);

}  // namespace orvane
