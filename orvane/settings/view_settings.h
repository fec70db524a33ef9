// The view state the main window keeps across runs: sort, tabs, player toggles, panels, columns.
#pragma once

#include <string>

#include "settings_store.h"

namespace orvane {

// The sort radio items of the song list's pop-up menu.
enum class TSortItem { ByFilename, ByTime, ByPath, NoSort };

struct TViewState {
    TSortItem sortItem = TSortItem::ByFilename;
    bool reverseOrder = false;
    bool sortAlways = true;
    int tabSetIndex = 0;  // 0 "Tag Info", 1 "Lyrics"
    bool playerVisible = true;
    bool playerTopmost = false;
    std::string recentDirectory;  // empty: none stored

    bool operator==(const TViewState&) const = default;
};

// SortStyle: 0 By Filename, 1 By Path, 2 anything else; negated with Reverse Order.
// By Time is stored as 2 and By Filename loses Reverse Order (0 has no sign): the
// stored form keeps the values earlier versions wrote.
int SortStyleOf(const TViewState& state);

TViewState LoadViewSettings(const SettingsStore& store);
void SaveViewSettings(SettingsStore& store, const TViewState& state);

}  // namespace orvane
