// What the window keeps in "tvk.prf": the two directory lists, the five edit texts and
// the five numbers. Only the lists and the texts come back at start-up.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "settings_record.h"
#include "splitter_settings.h"

namespace talvik {

struct DirectoryLists {
    std::string source;       // directory shown by the source list, without closing separator
    std::string destination;  // the same for the destination list
};

// `next` walks the texts in the window's code page, so no cut splits a character.
SettingsRecord MakeSettingsRecord(const DirectoryLists& lists, const SplitterSettings& s,
                                  NextCharFn next = NextSingleByteChar);

using DirectoryExists = std::function<bool(const std::string&)>;

// Applies the start-up fields in the window's order: the lists first (their change
// handlers fill Sourcedir and Savedir), then the saved edit texts over them. Fields
// the file did not hold leave the current values alone, and so do saved directories
// that cannot be trusted, since sounds would go elsewhere without a word: a text that
// filled its 40 characters (it may have been cut), a Sourcedir or Savedir without its
// closing separator, a directory that does not exist. Those fields are returned, for
// the window to name; an empty list field is simply ignored.
std::vector<SettingsRecord::Field> ApplyStartupRecord(const SettingsRecord& record,
                                                      DirectoryLists& lists, SplitterSettings& s,
                                                      const DirectoryExists& exists,
                                                      NextCharFn next = NextSingleByteChar);

// The start-up message naming the directory fields that could not be restored.
std::string NotRestoredMessage(const std::vector<SettingsRecord::Field>& fields);

}  // namespace talvik
