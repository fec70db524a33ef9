// The set configuration dialog (TSetsForm) without its controls: the rows of the name
// box, the selection, and what New, Del and closing do.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "set_names.h"
#include "set_registry.h"
#include "sets_dialog_host.h"
#include "settings_store.h"

namespace orvane {

inline constexpr std::size_t kMaxSets = 99;
inline constexpr std::string_view kTooManySetsText = "Exceed maximum sets number !!";

class TSetsDialogModel {
  public:
    // Reads the set registry; the default set stands in when none is stored, and the
    // current set is selected (row 0, made current, when it is not listed).
    TSetsDialogModel(const SettingsStore& store, std::string currentSetName, TSetFolders folders);
    TSetsDialogModel(const SettingsStore& store, std::string currentSetName,
                     const std::filesystem::path& programFolder)
        : TSetsDialogModel(store, std::move(currentSetName), TSetFolders(programFolder)) {}

    const std::vector<TSetRecord>& Rows() const { return rows_; }
    int Selected() const { return selected_; }
    const std::string& CurrentSetName() const { return currentSetName_; }
    // "Set Configuration - %s".
    std::string Caption() const;
    // The text of the Description box: the selected row's description.
    std::string Description() const;

    // A new selection in the name box becomes the current set.
    void SelectionChanged(int index);
    // True when a set was added (and selected).
    bool New(SetsDialogHost& host);
    // A set other than "(Default)" is selected: there is something to delete.
    bool CanDelete() const;
    // True when the selected set was removed, its file with it. A file that cannot be
    // removed keeps the set; DeleteError() then says so.
    bool Delete();
    const std::string& DeleteError() const { return deleteError_; }
    // Closing, whichever way: writes the set registry.
    void Close(SettingsStore& store) const;

  private:
    std::vector<std::string> Names() const;
    std::vector<TSetRecord> rows_;
    int selected_ = -1;
    std::string currentSetName_;
    TSetFolders folders_;
    std::string deleteError_;
};

// Caption of the new set dialog (TNewSetForm): "%s - New Set".
std::string NewSetCaption();
// Caption of the main window: "%s - %s".
std::string MainWindowCaption(std::string_view currentSetName);

}  // namespace orvane
