// The commands that act on the song list and the file browser, and the drags between them.
#include "command_helpers_win32.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <utility>

#include "column_widths.h"
#include "command_table.h"
#include "current_set.h"
#include "file_association.h"
#include "list_labels.h"
#include "lyrics_extension_list.h"
#include "play_commands.h"
#include "play_list.h"
#include "resource.h"
#include "set_registry.h"
#include "setting_access.h"
#include "song_list_play_access.h"

namespace orvane {
namespace {

// An arrow carrying a sheet: the cursor over a place that takes the drop.
HCURSOR MakeDragCursor() {
    const int w = GetSystemMetrics(SM_CXCURSOR);
    const int h = GetSystemMetrics(SM_CYCURSOR);
    const auto inside = [](int x, int y) {
        return (y < 12 && x <= y) || (x >= 8 && x < 18 && y >= 13 && y < 22);
    };
    std::vector<BYTE> andMask(static_cast<size_t>(w * h / 8), 0xFF);
    std::vector<BYTE> xorMask(andMask.size(), 0);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (!inside(x, y))
                continue;
            const size_t byte = static_cast<size_t>((y * w + x) / 8);
            const BYTE bit = static_cast<BYTE>(0x80 >> (x % 8));
            andMask[byte] &= static_cast<BYTE>(~bit);
            const bool edge =
                !inside(x - 1, y) || !inside(x + 1, y) || !inside(x, y - 1) || !inside(x, y + 1);
            if (!edge)
                xorMask[byte] |= bit;  // white inside a black outline
        }
    }
    return CreateCursor(GetModuleHandleA(nullptr), 0, 0, w, h, andMask.data(), xorMask.data());
}

void BeginDrag(TMainForm& form, TDragSource source) {
    if (form.dragCursor == nullptr)
        form.dragCursor = MakeDragCursor();
    form.dragSource = source;
    SetCapture(form.window);
}

// The entry under a screen point of the song list: -1 over its empty part, -2 off the list.
int SongListItemAt(const TMainForm& form, POINT screen) {
    RECT r;
    if (!IsWindowVisible(form.songList) || !GetWindowRect(form.songList, &r) ||
        !PtInRect(&r, screen)) {
        return -2;
    }
    LVHITTESTINFO hit{};
    hit.pt = screen;
    ScreenToClient(form.songList, &hit.pt);
    return static_cast<int>(
        SendMessageA(form.songList, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
}

// The end of a list command: the panels show the entry the list now points at. A pending
// edit is asked about first, as when the user leaves its song.
void ShowListEntry(TMainForm& form) {
    if (SaveTagIfChanged(form, false))
        RefreshSongInfo(form);
}

// The file list shows other files: the same steps as a click in it.
void FileListChange(TMainForm& form, bool changed) {
    if (changed)
        FileListBoxClick(form);
}

}  // namespace

void AddFiles(TMainForm& form, bool all) {
    const std::vector<std::string> names = FileListNames(form, all);
    std::vector<std::string> captions;
    captions.reserve(names.size());
    for (const std::string& name : names)
        captions.push_back(name.substr(form.currentFolder.size() + 1));
    form.list.Add(form.currentFolder, captions, SongFilePlayTime());
    PushSongList(form);
}

void Navigate(TMainForm& form, int index) {
    char name[MAX_PATH] = "";
    if (SendMessageA(form.folderList, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0) >= MAX_PATH)
        return;
    SendMessageA(form.folderList, LB_GETTEXT, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(name));
    std::string entry(name);
    if (entry.size() < 2)
        return;
    entry = entry.substr(1, entry.size() - 2);  // "[name]"
    std::string target = form.currentFolder;
    if (entry == "..") {
        const std::size_t slash = target.find_last_of('\\');
        if (slash == std::string::npos)
            return;
        target = target.substr(0, slash);
        if (target.size() == 2)
            target += "\\";
    } else {
        if (target.empty() || target.back() != '\\')
            target += '\\';
        target += entry;
    }
    FileListChange(form, ChangeFolder(form, target));
}

void FillDrives(TMainForm& form) {
    SendMessageA(form.driveBox, CB_RESETCONTENT, 0, 0);
    char drives[256] = "";
    GetLogicalDriveStringsA(sizeof drives, drives);
    for (const char* d = drives; *d != '\0'; d += std::strlen(d) + 1) {
        const std::string drive(d, 2);
        const LRESULT at =
            SendMessageA(form.driveBox, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(drive.c_str()));
        if (_strnicmp(drive.c_str(), form.currentFolder.c_str(), 2) == 0) {
            SendMessageA(form.driveBox, CB_SETCURSEL, static_cast<WPARAM>(at), 0);
        }
    }
}

bool ChangeFolder(TMainForm& form, const std::string& folder) {
    std::string base = folder;
    while (base.size() > 3 && base.back() == '\\') base.pop_back();
    const DWORD attributes = GetFileAttributesA(base.c_str());
    if (base.empty() || attributes == INVALID_FILE_ATTRIBUTES ||
        (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        return false;
    }
    form.currentFolder = base.back() == '\\' ? base.substr(0, base.size() - 1) : base;
    const std::string prefix = form.currentFolder + "\\";
    SendMessageA(form.folderList, WM_SETREDRAW, FALSE, 0);
    SendMessageA(form.folderList, LB_RESETCONTENT, 0, 0);
    SendMessageA(form.fileList, WM_SETREDRAW, FALSE, 0);
    SendMessageA(form.fileList, LB_RESETCONTENT, 0, 0);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((prefix + "*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                if (name == "." || (name == ".." && form.currentFolder.size() <= 2))
                    continue;
                SendMessageA(form.folderList, LB_ADDSTRING, 0,
                             reinterpret_cast<LPARAM>(("[" + name + "]").c_str()));
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    if (form.currentFolder.size() > 2 &&
        SendMessageA(form.folderList, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>("[..]")) == LB_ERR) {
        SendMessageA(form.folderList, LB_INSERTSTRING, 0, reinterpret_cast<LPARAM>("[..]"));
    }
    search = FindFirstFileA((prefix + std::string(kFileMask)).c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
                SendMessageA(form.fileList, LB_ADDSTRING, 0,
                             reinterpret_cast<LPARAM>(found.cFileName));
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    SendMessageA(form.folderList, WM_SETREDRAW, TRUE, 0);
    SendMessageA(form.fileList, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(form.folderList, nullptr, TRUE);
    InvalidateRect(form.fileList, nullptr, TRUE);
    FillDrives(form);
    const int count = static_cast<int>(SendMessageA(form.fileList, LB_GETCOUNT, 0, 0));
    EnableCommand(form, IDM_ADDALL, count > 0);
    EnableCommand(form, IDM_ADD, false);
    SetText(form.fileCount, FileListCountLabel(0, count));
    return true;
}

std::vector<std::string> FileListNames(const TMainForm& form, bool all) {
    std::vector<int> indexes;
    const int count = static_cast<int>(SendMessageA(form.fileList, LB_GETCOUNT, 0, 0));
    if (all) {
        for (int i = 0; i < count; ++i) indexes.push_back(i);
    } else {
        const int selected = static_cast<int>(SendMessageA(form.fileList, LB_GETSELCOUNT, 0, 0));
        indexes.resize(static_cast<std::size_t>(std::max(selected, 0)));
        if (selected > 0) {
            SendMessageA(form.fileList, LB_GETSELITEMS, static_cast<WPARAM>(selected),
                         reinterpret_cast<LPARAM>(indexes.data()));
        }
    }
    std::vector<std::string> names;
    for (int index : indexes) {
        char name[MAX_PATH] = "";
        if (SendMessageA(form.fileList, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0) >= MAX_PATH)
            continue;
        SendMessageA(form.fileList, LB_GETTEXT, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(name));
        names.push_back(form.currentFolder + "\\" + name);
    }
    return names;
}

void SongListStartDrag(TMainForm& form) {
    PullSelection(form);
    BeginDrag(form, TDragSource::SongList);
}

void FileListBoxStartDrag(TMainForm& form) {
    BeginDrag(form, TDragSource::FileList);
}

bool SongListDragOver(TMainForm& form, POINT screen) {
    const int item = SongListItemAt(form, screen);
    const bool accepted =
        form.dragSource == TDragSource::FileList
            ? item >= -1
            : form.dragSource == TDragSource::SongList && item >= 0 && form.list.CanDragWithin();
    SetCursor(accepted ? form.dragCursor : LoadCursorA(nullptr, IDC_NO));
    return accepted;
}

void SongListDragDrop(TMainForm& form, POINT screen) {
    const TDragSource source = form.dragSource;
    const bool accepted = SongListDragOver(form, screen);
    EndDrag(form);
    if (!accepted)
        return;
    if (source == TDragSource::SongList) {
        if (form.list.DragWithin(SongListItemAt(form, screen)))
            PushSongList(form);
    } else if (SendMessageA(form.toolPanel, TB_ISBUTTONENABLED, IDM_ADD, 0)) {
        MainCommand(form, IDM_ADD);
    }
}

void EndDrag(TMainForm& form) {
    if (form.dragSource == TDragSource::None)
        return;
    form.dragSource = TDragSource::None;
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
    if (GetCapture() == form.window)
        ReleaseCapture();
}

void SongListClick(TMainForm& form) {
    PullSelection(form);
    if (!SaveTagIfChanged(form, false)) {
        // The edit could not be saved: it stays, and so does the selection of its song.
        for (int i = 0; i < form.list.Count(); ++i) {
            if (form.list.Entry(i).FullName() != form.tag.TagFileName())
                continue;
            form.list.ClearSelection();
            form.list.SetSelected(i, true);
            form.list.SetFocusIndex(i);
            PushSongList(form);
            break;
        }
        return;
    }
    ApplyListCommands(form, form.list.ListCommands());
    RefreshSongInfo(form);
}

void SongListDblClick(TMainForm& form) {
    PullSelection(form);
    const TDoubleClickAction option = LoadOptions(form.store, kDefaultSection).doubleClick;
    switch (DoubleClickCommand(TClickedList::SongList, option, form.list.SelectedCount() > 0)) {
        case TDoubleClickCommand::Remove:
            MainCommand(form, IDM_REMOVE);
            break;
        case TDoubleClickCommand::Play:
            MainCommand(form, IDM_PLAY);
            break;
        case TDoubleClickCommand::PlayListFromHere:
            MainCommand(form, IDM_PLAYLISTHERE);
            break;
        default:
            break;
    }
}

void SongListPopup(TMainForm& form) {
    POINT at;
    GetCursorPos(&at);
    TrackPopupMenu(GetSubMenu(form.listMenu, 0), TPM_RIGHTBUTTON, at.x, at.y, 0, form.window,
                   nullptr);
}

void SongListColumnClick(TMainForm& form, int column) {
    PullSelection(form);
    form.list.ColumnClick(column);
    PushSongList(form);
    ShowListEntry(form);
}

void FileListBoxClick(TMainForm& form) {
    if (!SaveTagIfChanged(form, false))
        return;
    const int count = static_cast<int>(SendMessageA(form.fileList, LB_GETCOUNT, 0, 0));
    const int selected = static_cast<int>(SendMessageA(form.fileList, LB_GETSELCOUNT, 0, 0));
    SetText(form.fileCount, FileListCountLabel(selected, count));
    EnableCommand(form, IDM_ADD, selected > 0);
    RefreshSongInfo(form);
}

void FileListBoxDblClick(TMainForm& form) {
    const TDoubleClickAction option = LoadOptions(form.store, kDefaultSection).doubleClick;
    PullSelection(form);
    switch (DoubleClickCommand(TClickedList::FileList, option, form.list.SelectedCount() > 0)) {
        case TDoubleClickCommand::Add:
            MainCommand(form, IDM_ADD);
            break;
        case TDoubleClickCommand::Play:
            MainCommand(form, IDM_PLAY);
            break;
        default:
            break;
    }
}

void FolderListDblClick(TMainForm& form) {
    const LRESULT index = SendMessageA(form.folderList, LB_GETCURSEL, 0, 0);
    if (index >= 0)
        Navigate(form, static_cast<int>(index));
}

void DriveBoxChange(TMainForm& form) {
    char drive[8] = "";
    const LRESULT index = SendMessageA(form.driveBox, CB_GETCURSEL, 0, 0);
    if (index < 0 ||
        SendMessageA(form.driveBox, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0) >= 6)
        return;
    SendMessageA(form.driveBox, CB_GETLBTEXT, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(drive));
    if (!ChangeFolder(form, std::string(drive) + "\\"))
        FillDrives(form);
    else
        FileListChange(form, true);
}

bool SongListCommand(TMainForm& form, int id) {
    switch (id) {
        case IDM_RANDOMIZE:
            PullSelection(form);
            form.list.Randomize(form.random);
            PushSongList(form);
            break;
        case IDM_EMPTY:
            if (form.dialogs.Message(form.window, kEmptyListQuestion, MB_YESNO | MB_ICONQUESTION) ==
                IDYES) {
                form.list.RemoveAll();
                DropTagPanel(form);
                PushSongList(form);
                ShowListEntry(form);
            }
            break;
        case IDM_ADD:
        case IDM_ADDALL:
            AddFiles(form, id == IDM_ADDALL);
            ShowListEntry(form);
            break;
        case IDM_REMOVE:
            // A pending edit of a removed song goes with it: no question later writes it to a
            // song the user no longer has.
            PullSelection(form);
            form.list.RemoveSelected();
            DropTagPanel(form);
            PushSongList(form);
            ShowListEntry(form);
            break;
        case IDM_REMOVEALL:
            form.list.RemoveAll();
            DropTagPanel(form);
            PushSongList(form);
            ShowListEntry(form);
            break;
        case IDM_UP:
        case IDM_DOWN:
            PullSelection(form);
            if (id == IDM_UP)
                form.list.MoveUp();
            else
                form.list.MoveDown();
            PushSongList(form);
            break;
        case IDM_CHECK: {
            PullSelection(form);
            const int deleted = form.list.Check(FileExistsA);
            PushSongList(form);
            // Files may have gone from the folder too: the file list is read again.
            FileListChange(form, ChangeFolder(form, form.currentFolder));
            form.dialogs.Message(form.window, CheckResultMessage(deleted),
                                 MB_OK | MB_ICONINFORMATION);
            break;
        }
        case IDM_CLEANFLAG:
            form.list.CleanUsageFlag();
            PushSongList(form);
            break;
        case IDM_SORTFILENAME:
        case IDM_SORTTIME:
        case IDM_SORTPATH:
        case IDM_NOSORT:
            PullSelection(form);
            form.list.ChooseSortItem(static_cast<TSortKey>(id - IDM_SORTFILENAME));
            PushSongList(form);
            if (id != IDM_NOSORT)
                ShowListEntry(form);
            break;
        case IDM_REVERSE:
            PullSelection(form);
            form.list.ToggleReverseOrder();
            PushSongList(form);
            ShowListEntry(form);
            break;
        case IDM_SORTALWAYS:
            PullSelection(form);
            form.list.ToggleSortAlways();
            PushSongList(form);
            if (form.list.SortState().sortAlways)
                ShowListEntry(form);
            break;
        case IDM_SELECTALL:
            form.list.SelectAll();
            PushSongList(form);
            ShowListEntry(form);
            break;
        case IDM_CLEARSEL:
            form.list.ClearSelection();
            PushSongList(form);
            ShowListEntry(form);
            break;
        case IDM_INVERTSEL:
            PullSelection(form);
            form.list.InvertSelection();
            PushSongList(form);
            ShowListEntry(form);
            break;
        default:
            return false;
    }
    return true;
}

}  // namespace orvane
