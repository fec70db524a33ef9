// Binding the models to the controls: what the menus, buttons and labels show, and the
// small text and file helpers every group of commands uses.
#include "command_helpers_win32.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <utility>
#include <vector>

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

// The ANSI name as the system knows it: std::filesystem takes wide text on Windows.
std::filesystem::path SystemFolder(const std::string& folder) {
    const int length = MultiByteToWideChar(CP_ACP, 0, folder.c_str(), -1, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(std::max(length, 1)), L'\0');
    MultiByteToWideChar(CP_ACP, 0, folder.c_str(), -1, wide.data(), length);
    wide.resize(wcslen(wide.c_str()));
    return std::filesystem::path(wide);
}

bool FileExistsA(const std::string& name) {
    const DWORD attributes = GetFileAttributesA(name.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

UINT IconFlags(TMessageIcon icon) {
    switch (icon) {
        case TMessageIcon::Information:
            return MB_ICONINFORMATION;
        case TMessageIcon::Warning:
            return MB_ICONWARNING;
        case TMessageIcon::Error:
            return MB_ICONERROR;
        case TMessageIcon::Question:
            return MB_ICONQUESTION;
        case TMessageIcon::None:
            break;
    }
    return 0;
}

std::string WindowText(HWND control) {
    const int length = GetWindowTextLengthA(control);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    GetWindowTextA(control, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(length));
    return text;
}

void SetText(HWND control, std::string_view text) {
    SetWindowTextA(control, std::string(text).c_str());
}

// The memo control breaks lines only at CR LF.
std::string WithCrLf(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r'))
            out += '\r';
        out += text[i];
    }
    return out;
}

void EnableCommand(TMainForm& form, int id, bool enabled) {
    const UINT flags = MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED);
    for (HMENU menu : {GetMenu(form.window), form.listMenu, form.trayMenu}) {
        if (menu != nullptr)
            EnableMenuItem(menu, static_cast<UINT>(id), flags);
    }
    for (HWND bar : {form.toolBar, form.toolPanel}) {
        SendMessageA(bar, TB_ENABLEBUTTON, static_cast<WPARAM>(id), enabled);
    }
}

void CheckCommand(TMainForm& form, int id, bool checked) {
    const UINT flags = MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED);
    for (HMENU menu : {GetMenu(form.window), form.listMenu, form.trayMenu}) {
        if (menu != nullptr)
            CheckMenuItem(menu, static_cast<UINT>(id), flags);
    }
    SendMessageA(form.toolBar, TB_CHECKBUTTON, static_cast<WPARAM>(id), checked);
}

void ApplyPlayerCommands(TMainForm& form) {
    const TPlayerCommands& c = form.player->Commands();
    CheckCommand(form, IDM_VISIBLE, c.visibleDown);
    CheckCommand(form, IDM_TOPMOST, c.topMostDown);
    EnableCommand(form, IDM_SHUTDOWN, c.closeEnabled);
    EnableCommand(form, IDM_BRINGUP, c.bringupEnabled);
}

namespace {

// The menu (or submenu) holding the item of id, searched depth first.
HMENU MenuHolding(HMENU menu, UINT id) {
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        if (GetMenuItemID(menu, i) == id)
            return menu;
        if (HMENU sub = GetSubMenu(menu, i)) {
            if (HMENU found = MenuHolding(sub, id))
                return found;
        }
    }
    return nullptr;
}

}  // namespace

// The sort keys are one radio group: each item shows a bullet, exactly one is checked.
void ApplySortItems(TMainForm& form) {
    const TSortState& sort = form.list.SortState();
    const UINT items[4] = {IDM_SORTFILENAME, IDM_SORTTIME, IDM_SORTPATH, IDM_NOSORT};
    HMENU group = MenuHolding(form.listMenu, IDM_SORTFILENAME);
    if (group != nullptr) {
        for (UINT id : items) {
            MENUITEMINFOA item{};
            item.cbSize = sizeof item;
            item.fMask = MIIM_FTYPE;
            GetMenuItemInfoA(group, id, FALSE, &item);
            item.fType |= MFT_RADIOCHECK;
            SetMenuItemInfoA(group, id, FALSE, &item);
        }
        CheckMenuRadioItem(group, IDM_SORTFILENAME, IDM_NOSORT,
                           items[static_cast<int>(sort.key) & 3], MF_BYCOMMAND);
    }
    CheckCommand(form, IDM_REVERSE, sort.reverseOrder);
    CheckCommand(form, IDM_SORTALWAYS, sort.sortAlways);
}

void MenuItemSelect(TMainForm& form, UINT item, UINT flags) {
    // A submenu's entry names its position, not a command; a closed menu clears the panel.
    const bool command = flags != 0xFFFF && (flags & MF_POPUP) == 0;
    const std::string hint(command ? HintOfCommand(static_cast<int>(item)) : std::string_view{});
    SendMessageA(form.statusBar, SB_SETTEXTA, 1, reinterpret_cast<LPARAM>(hint.c_str()));
}

void ApplyListCommands(TMainForm& form, const TListCommands& commands) {
    for (std::string_view name : TListCommands::AllNames()) {
        EnableCommand(form, CommandOfControl(name), commands.IsEnabled(name));
    }
    ApplySortItems(form);
}

void ApplyTagCommands(TMainForm& form) {
    EnableCommand(form, IDM_SAVETAG, form.tag.SaveEnabled());
    EnableCommand(form, IDM_PASTE, form.tag.PasteEnabled());
    SendMessageA(form.statusBar, SB_SETTEXTA, 0,
                 reinterpret_cast<LPARAM>(std::string(form.tag.StatusText()).c_str()));
    SendMessageA(form.statusBar, SB_SETTEXTA, 2,
                 reinterpret_cast<LPARAM>(form.tag.TagKindText().c_str()));
}

void ShowTotals(TMainForm& form) {
    const TListTotals totals = form.list.Totals();
    SetText(form.totalSong, TotalSongLabel(totals, form.list.CurrentIndex()));
    SetText(form.totalTime, TotalTimeLabel(totals));
}

void PullSelection(TMainForm& form) {
    form.list.ClearSelection();
    // The search for selected rows stops at the last one: the rest of the list is not walked.
    int remaining = static_cast<int>(SendMessageA(form.songList, LVM_GETSELECTEDCOUNT, 0, 0));
    int index = -1;
    while (remaining-- > 0 &&
           (index = static_cast<int>(SendMessageA(
                form.songList, LVM_GETNEXTITEM, static_cast<WPARAM>(index), LVNI_SELECTED))) >= 0) {
        form.list.SetSelected(index, true);
    }
    const int focus = static_cast<int>(
        SendMessageA(form.songList, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
    form.list.SetFocusIndex(focus);
}

std::optional<std::string> FocusedFile(const TMainForm& form) {
    const LRESULT caret = SendMessageA(form.fileList, LB_GETCARETINDEX, 0, 0);
    if (caret < 0 || caret >= SendMessageA(form.fileList, LB_GETCOUNT, 0, 0))
        return std::nullopt;
    char name[MAX_PATH] = "";
    if (SendMessageA(form.fileList, LB_GETTEXTLEN, static_cast<WPARAM>(caret), 0) >= MAX_PATH) {
        return std::nullopt;
    }
    SendMessageA(form.fileList, LB_GETTEXT, static_cast<WPARAM>(caret),
                 reinterpret_cast<LPARAM>(name));
    return form.currentFolder + "\\" + name;
}

void PushSongList(TMainForm& form) {
    form.pushingList = true;
    const int count = form.list.Count();
    // A new count is slow in the list view (a tenth of an Add under Wine); an unchanged one
    // needs no call, as the rows are repainted below anyway.
    if (SendMessageA(form.songList, LVM_GETITEMCOUNT, 0, 0) != count)
        SendMessageA(form.songList, LVM_SETITEMCOUNT, static_cast<WPARAM>(count), LVSICF_NOSCROLL);
    // Only the rows whose selection differs are touched: a change of every row's state (-1)
    // costs the list view one step per row, ten thousand at the start with a large set.
    std::vector<char> shown(static_cast<std::size_t>(count), 0);
    LVITEMA state{};
    state.stateMask = LVIS_SELECTED;
    // The search for selected rows stops at the last one: the rest of the list is not walked.
    int remaining = static_cast<int>(SendMessageA(form.songList, LVM_GETSELECTEDCOUNT, 0, 0));
    int index = -1;
    while (remaining-- > 0 &&
           (index = static_cast<int>(SendMessageA(
                form.songList, LVM_GETNEXTITEM, static_cast<WPARAM>(index), LVNI_SELECTED))) >= 0) {
        if (index >= count)
            break;
        shown[static_cast<std::size_t>(index)] = 1;
        if (!form.list.IsSelected(index)) {
            SendMessageA(form.songList, LVM_SETITEMSTATE, static_cast<WPARAM>(index),
                         reinterpret_cast<LPARAM>(&state));
        }
    }
    state.state = LVIS_SELECTED;
    for (int i = 0; i < count; ++i) {
        if (form.list.IsSelected(i) && shown[static_cast<std::size_t>(i)] == 0) {
            SendMessageA(form.songList, LVM_SETITEMSTATE, static_cast<WPARAM>(i),
                         reinterpret_cast<LPARAM>(&state));
        }
    }
    const int focus = form.list.FocusIndex();
    const int focused = static_cast<int>(
        SendMessageA(form.songList, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
    if (focus != focused) {
        LVITEMA moved{};
        moved.stateMask = LVIS_FOCUSED;
        moved.state = focus >= 0 ? LVIS_FOCUSED : 0;
        SendMessageA(form.songList, LVM_SETITEMSTATE,
                     static_cast<WPARAM>(focus >= 0 ? focus : focused),
                     reinterpret_cast<LPARAM>(&moved));
    }
    InvalidateRect(form.songList, nullptr, FALSE);
    form.pushingList = false;
    ApplyListCommands(form, form.list.ListCommands());
    ShowTotals(form);
}

int CompareSystemText(std::string_view a, std::string_view b) {
    const int result = CompareStringA(LOCALE_USER_DEFAULT, 0, a.data(), static_cast<int>(a.size()),
                                      b.data(), static_cast<int>(b.size()));
    // 0 is a failure of the call: the portable order stands in.
    return result == 0 ? CompareLocaleText(a, b) : result - CSTR_EQUAL;
}

std::string SystemSortKey(std::string_view text) {
    const int length = static_cast<int>(text.size());
    // Nearly every key fits here: one call, not a size query and then the key.
    char buffer[512];
    const int fitted = LCMapStringA(LOCALE_USER_DEFAULT, LCMAP_SORTKEY, text.data(), length, buffer,
                                    static_cast<int>(sizeof buffer));
    if (fitted > 0)
        return std::string(buffer, static_cast<std::size_t>(fitted));
    const int size =
        LCMapStringA(LOCALE_USER_DEFAULT, LCMAP_SORTKEY, text.data(), length, nullptr, 0);
    std::string key(static_cast<std::size_t>(std::max(size, 0)), '\0');
    if (size > 0) {
        LCMapStringA(LOCALE_USER_DEFAULT, LCMAP_SORTKEY, text.data(), length, key.data(), size);
    }
    return key;
}

}  // namespace orvane
