// The main window's handlers, named after the controls and events they serve.
#pragma once

#include "main_form_win32.h"

namespace orvane {

void LayOut(TMainForm& form);
// The tool bar's stored placement: read once the controls exist, written when the window goes.
void ReadToolBarPlacement(TMainForm& form);
void WriteToolBarPlacement(TMainForm& form);
void FormCreateModel(TMainForm& form);
// The end of the start: associations, the player, Auto play list.
void FormCreateFinish(TMainForm& form);
void FormShow(TMainForm& form);
// Posted by FormShow: the stored placement, once the window is visible.
inline constexpr UINT kApplyPlacementMessage = WM_APP + 12;
void FormApplyPlacement(TMainForm& form);
// The closing steps; at the end of the session (logoff, shutdown) failures are not shown.
void FormClose(TMainForm& form, bool endOfSession = false);
// WM_ENDSESSION: the closing steps without a question or a box.
void FormEndSession(TMainForm& form);
void FormDestroy(TMainForm& form);
void RunningTimerTimer(TMainForm& form);
void MainCommand(TMainForm& form, int id);

// A menu item under the mouse or the keys: its hint in the status bar's hint panel.
void MenuItemSelect(TMainForm& form, UINT item, UINT flags);

void SongListClick(TMainForm& form);
void SongListDblClick(TMainForm& form);
void SongListPopup(TMainForm& form);
void SongListColumnClick(TMainForm& form, int column);
void FileListBoxClick(TMainForm& form);
void FileListBoxDblClick(TMainForm& form);
void FolderListDblClick(TMainForm& form);
void DriveBoxChange(TMainForm& form);
void TagBoxChange(TMainForm& form);
// A change of Year by the user: typed, or picked from the list (picked: the selection counts,
// the box's text follows only after the notice).
void YearChange(TMainForm& form, bool picked);
// Posted after the warning of a rejected year: the focus goes back to Year.
inline constexpr UINT kFocusYearMessage = WM_APP + 13;
void YearExit(TMainForm& form);

// Dragging onto the song list. The drag holds the mouse capture on the main window; points
// are in screen coordinates. DragOver shows whether a drop there would be taken.
void SongListStartDrag(TMainForm& form);
void FileListBoxStartDrag(TMainForm& form);
bool SongListDragOver(TMainForm& form, POINT screen);
void SongListDragDrop(TMainForm& form, POINT screen);
void EndDrag(TMainForm& form);

// The list view shows the model again (count, selection, focus) without notices.
void PushSongList(TMainForm& form);
// The file browser shows folder (ANSI); false when it cannot be listed.
bool ChangeFolder(TMainForm& form, const std::string& folder);
// The full names of the file list's selected files (all files when all is set).
std::vector<std::string> FileListNames(const TMainForm& form, bool all);

}  // namespace orvane
