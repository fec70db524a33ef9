// What the main window's groups of commands share: the binding of the models to the controls,
// the tag panel, the current set, and each group's part of the command switch.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "main_commands_win32.h"

namespace orvane {

// ---- binding (command_binding_win32.cpp) ----
// The ANSI name as the system knows it: std::filesystem takes wide text on Windows.
std::filesystem::path SystemFolder(const std::string& folder);
bool FileExistsA(const std::string& name);
UINT IconFlags(TMessageIcon icon);
std::string WindowText(HWND control);
void SetText(HWND control, std::string_view text);
// The memo control breaks lines only at CR LF.
std::string WithCrLf(std::string_view text);
void EnableCommand(TMainForm& form, int id, bool enabled);
void CheckCommand(TMainForm& form, int id, bool checked);
void ApplyPlayerCommands(TMainForm& form);
void ApplySortItems(TMainForm& form);
void ApplyListCommands(TMainForm& form, const TListCommands& commands);
void ApplyTagCommands(TMainForm& form);
void ShowTotals(TMainForm& form);
// The list view's selection and focus into the model.
void PullSelection(TMainForm& form);
// The file list's focused file (full name), if any.
std::optional<std::string> FocusedFile(const TMainForm& form);

// ---- the tag panel (tag_commands_win32.cpp) ----
void ShowBoxes(TMainForm& form);
TTagBoxes ReadBoxes(const TMainForm& form);
void RefreshSongInfo(TMainForm& form);
void WarnYear(TMainForm& form);
// False when the edit is still unsaved (a rejected year, a failed write): the caller keeps
// the panel, and the selection, on the edited song.
bool SaveTagIfChanged(TMainForm& form, bool forced);
void ClearTagPanel(TMainForm& form);
void DropTagPanel(TMainForm& form);
void CopyTag(TMainForm& form);
void PasteTag(TMainForm& form);

// ---- the current set and the settings (set_commands_win32.cpp) ----
// The folder the set files and OVM.M3U are written to.
std::string KeptFolder(const TMainForm& form);
// Returns what the user must be told about the set file (empty when nothing).
std::string LoadSet(TMainForm& form);
void ShowSetNotice(TMainForm& form, const std::string& notice);
void SaveSet(TMainForm& form);
void ApplyOptions(TMainForm& form);
void OpenSets(TMainForm& form);
void OpenProperties(TMainForm& form);
void CheckAssociations(TMainForm& form);

// ---- playing (player_commands_win32.cpp) ----
void PlayCommand(TMainForm& form, int id);

// ---- the list (song_list_commands_win32.cpp) ----
void AddFiles(TMainForm& form, bool all);

// Each group's part of MainCommand: false for a command of another group.
bool PlayerCommand(TMainForm& form, int id);
bool SongListCommand(TMainForm& form, int id);
bool TagCommand(TMainForm& form, int id);
bool SetCommand(TMainForm& form, int id);
bool ViewCommand(TMainForm& form, int id);

}  // namespace orvane
