// What the window keeps in "tvk.prf": the two directory lists, the five edit texts and
// the five numbers. Only the lists and the texts come back at start-up.
#pragma once

#include <string>

#include "settings_record.h"
#include "splitter_settings.h"

namespace talvik {

struct DirectoryLists {
    std::string source;       // directory shown by the source list, without closing separator
    std::string destination;  // the same for the destination list
};

SettingsRecord MakeSettingsRecord(const DirectoryLists& lists, const SplitterSettings& s);

// Applies the start-up fields in the window's order: the lists first (their change
// handlers fill Sourcedir and Savedir), then the saved edit texts over them. Fields
// the file did not hold leave the current values alone.
void ApplyStartupRecord(const SettingsRecord& record, DirectoryLists& lists, SplitterSettings& s);

}  // namespace talvik
