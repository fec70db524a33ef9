// TSongList: the entries of the song list with their selection, focus and
// the now-playing position, and every command that changes them. Free of any
// control: a window shows Entries() and binds its buttons to the commands.
#pragma once

#include "list_commands.h"
#include "list_labels.h"
#include "random_source.h"
#include "song_compare.h"
#include "song_entry.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace orvane {

// Options the list reads (stored by the settings module).
struct TSongListOptions {
    bool allowDuplicated = false;
    bool showUsedIcon = true;
};

// The sort items of the list's pop-up menu.
struct TSortState {
    TSortKey key = TSortKey::ByFilename;
    bool sortAlways = true;
    bool reverseOrder = false;

    bool operator==(const TSortState&) const = default;
};

// Reads the play time of a file, in seconds (0 when it cannot be read).
using TPlayTimeReader = std::function<std::int32_t(const std::string& fullName)>;
using TFileExists = std::function<bool(const std::string& fullName)>;

TPlayTimeReader SongFilePlayTime();
TFileExists SongFileExists();

// The folder as entries store it: ending in a backslash.
std::string EntryFolder(std::string_view folder);
// A new entry: caption, play-time text, folder, flag "0", seconds, no image.
TSongEntry MakeSongEntry(std::string_view folder, std::string_view fileName, std::int32_t seconds);
// Index of the first entry with this caption and folder (exact), or -1.
int FindSongEntry(std::span<const TSongEntry> entries, std::string_view fileName, std::string_view folder);

class TSongList {
public:
    // With sortKey, sorting by text makes one key per entry instead of comparing texts.
    explicit TSongList(TSongListOptions options = {}, TTextCompare compareText = CompareLocaleText,
                       TTextSortKey sortKey = nullptr);

    int Count() const { return static_cast<int>(entries_.size()); }
    const std::vector<TSongEntry>& Entries() const { return entries_; }
    const TSongEntry& Entry(int index) const { return entries_.at(static_cast<std::size_t>(index)); }
    // For playing: usage flag and state image. Keep caption and folder.
    TSongEntry& MutableEntry(int index) { return entries_.at(static_cast<std::size_t>(index)); }

    bool IsSelected(int index) const;
    void SetSelected(int index, bool selected);
    int SelectedCount() const;
    int FirstSelected() const;
    int FocusIndex() const { return focusIndex_; }
    void SetFocusIndex(int index);
    // Position of the now-playing entry, -1 for none. It follows that entry
    // through every reordering, so the now-playing mark and it never part.
    int CurrentIndex() const { return currentIndex_; }
    void SetCurrentIndex(int index);

    const TSongListOptions& Options() const { return options_; }
    void SetOptions(const TSongListOptions& options) { options_ = options; }
    const TSortState& SortState() const { return sort_; }
    void SetSortState(const TSortState& state) { sort_ = state; }

    // Replaces every entry (loading a set); nothing selected.
    void Assign(std::vector<TSongEntry> entries, int currentIndex);
    // Loading a set: Assign, then UpdateListCommands (which sorts with Sort Always), then
    // selects and focuses the now-playing entry, or else the first one. Returns the
    // selected position (after the sort), -1 for an empty list.
    int AssignSet(std::vector<TSongEntry> entries, int currentIndex);

    // Add / Add all: appends the files of folder (skipping ones already
    // listed unless duplicates are allowed), then UpdateListCommands.
    // Returns how many were added.
    int Add(std::string_view folder, std::span<const std::string> fileNames, const TPlayTimeReader& readPlayTime);
    // Remove: the selected entries in one pass, then UpdateListCommands.
    void RemoveSelected();
    // Remove all (and Empty list after its question).
    void RemoveAll();
    // Each selected block moves one place; a block at the edge stays.
    void MoveUp();
    void MoveDown();

    // Sorts by key in the current direction; NoSort leaves the order.
    void SortBy(TSortKey key);
    // A sort menu item: checks it; keys 0..2 sort and run UpdateListCommands.
    // The result enables Up and Down exactly when No Sort was chosen.
    TListCommands ChooseSortItem(TSortKey key);
    // Column header click: sorts by the column and checks its sort item.
    void ColumnClick(int column);
    // Reverse Order: toggles, re-sorts unless No Sort, UpdateListCommands.
    void ToggleReverseOrder();
    // Sort Always: toggles; turning it on runs UpdateListCommands.
    void ToggleSortAlways();
    // Shuffles (every order equally likely), checks No Sort, clears the selection.
    void Randomize(TRandomSource& random);
    // Dragging within the list is accepted while Up is enabled.
    bool CanDragWithin() const;
    // Moves the first selected entry to target; false when nothing moved.
    bool DragWithin(int target);

    void SelectAll();
    void ClearSelection();
    void InvertSelection();

    // Check: removes entries whose file is missing; returns how many.
    int Check(const TFileExists& exists);
    // Clean usage flag: played entries, except the now-playing one, become unplayed.
    void CleanUsageFlag();
    // After an options change: played entries other than the now-playing
    // one show the used mark or nothing.
    void ApplyShowUsedIcon();

    // Sorts when Sort Always is checked, then returns the enabled commands.
    TListCommands UpdateListCommands();
    TListCommands ListCommands() const;

    TListTotals Totals() const;

private:
    // Reorders rows: order[k] is the old index of the row that goes to k.
    void Reorder(const std::vector<std::size_t>& order, bool keepSelection);
    void SwapRows(std::size_t a, std::size_t b);
    // Drops rows marked in doomed, adjusting current and focus positions.
    void RemoveRows(const std::vector<std::uint8_t>& doomed);

    std::vector<TSongEntry> entries_;
    std::vector<std::uint8_t> selected_;
    int focusIndex_ = -1;
    int currentIndex_ = -1;
    TSongListOptions options_;
    TSortState sort_;
    TTextCompare compareText_;
    TTextSortKey sortKey_;
    // Sort keys by text, made once: a list sorted after every change asks for the same texts
    // again, and each key is a system call.
    std::unordered_map<std::string, std::string> sortKeys_;
};

}  // namespace orvane
