// Which list commands are enabled: the result of UpdateListCommands and
// UpdateMoveButtons as names of the controls and menu items.
#pragma once

#include <array>
#include <string_view>
#include <vector>

namespace orvane {

// Enabled exactly when the list holds at least one entry.
inline constexpr std::array<std::string_view, 30> kListDependentCommands = {
    "EmptyBtn", "EmptyItem", "RandomizeBtn", "RandomizeItem", "RandomizeItem1", "DelAllBtn",
    "CheckBtn", "CheckItem", "RecycleBtn", "RecycleItem", "PlayBtn", "PlayItem",
    "PlayItem1", "PlayListBtn", "PlayListItem", "PlayListItem1", "PlayListItem2", "PlayListHereItem",
    "PrevBtn", "NextBtn", "ShuffleBtn", "RandomBtn", "PrevItem", "NextItem",
    "ShuffleItem", "RandomItem", "PrevItem1", "NextItem1", "ShuffleItem1", "RandomItem1",
};
// Enabled by the selection and the sort state (UpdateMoveButtons).
inline constexpr std::array<std::string_view, 3> kMoveCommands = {"DelBtn", "UpBtn", "DownBtn"};

struct TListCommands {
    std::vector<std::string_view> enabled;

    bool IsEnabled(std::string_view name) const;
    // Every name this set speaks about: a window enables these when
    // IsEnabled and disables the rest.
    static std::vector<std::string_view> AllNames();
};

// listNotEmpty: the list holds an entry; anySelected: one is selected;
// noSort: the No Sort item is checked.
TListCommands ListCommandsFor(bool listNotEmpty, bool anySelected, bool noSort);

}  // namespace orvane
