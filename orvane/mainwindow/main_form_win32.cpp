#include "main_form_win32.h"

#include <windowsx.h>

#include <algorithm>
#include <cstring>
#include <ctime>
#include <exception>
#include <map>
#include <utility>

#include "button_images_win32.h"
#include "command_table.h"
#include "current_set.h"
#include "genre_list.h"
#include "list_labels.h"
#include "lyrics_extension_list.h"
#include "main_commands_win32.h"
#include "resource.h"
#include "sets_dialog_model.h"
#include "setting_access.h"
#include "tool_bar_dock_win32.h"

namespace orvane {
namespace {

constexpr UINT kRefreshMessage = WM_APP + 10;  // a selection changed: refresh once
constexpr UINT kCreateFinishMessage = WM_APP + 11;
constexpr UINT_PTR kRunningTimer = 1;
constexpr int kStatusModifiedWidth = 80;
constexpr int kStatusTagKindWidth = 100;  // which tag the boxes show, at the right end

LRESULT CALLBACK FileListBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam);

HWND Child(HWND parent, DWORD exStyle, const char* className, const char* text, DWORD style,
           int id) {
    HWND child = CreateWindowExA(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 10,
                                 10, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 GetModuleHandleA(nullptr), nullptr);
    SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                 FALSE);
    return child;
}

// The children's new places, moved in one batch: one repaint of the window, not one for each.
// A child already in its place is left alone (a show after the layout of the hidden window).
class ChildMoves {
  public:
    ChildMoves(HWND parent, std::map<HWND, TRect>& placed) : parent_(parent), placed_(placed) {}
    void Place(HWND child, const TRect& r) {
        if (!At(child, r))
            moves_.push_back({child, r});
        placed_[child] = r;
    }
    void Apply() const {
        if (moves_.empty())
            return;
        HDWP batch = BeginDeferWindowPos(static_cast<int>(moves_.size()));
        for (const auto& [child, r] : moves_) {
            if (batch != nullptr)
                batch = DeferWindowPos(batch, child, nullptr, r.x, r.y, r.width, r.height,
                                       SWP_NOZORDER | SWP_NOACTIVATE);
        }
        if (batch != nullptr && EndDeferWindowPos(batch))
            return;
        // A batch the system could not take: each child is moved on its own.
        for (const auto& [child, r] : moves_) MoveWindow(child, r.x, r.y, r.width, r.height, TRUE);
    }

  private:
    bool At(HWND child, const TRect& r) const {
        RECT now;
        if (!GetWindowRect(child, &now))
            return false;
        MapWindowPoints(nullptr, parent_, reinterpret_cast<POINT*>(&now), 2);
        if (now.left != r.x || now.top != r.y || now.right - now.left != r.width)
            return false;
        if (now.bottom - now.top == r.height)
            return true;
        // A combo box is as high as its box, whatever height it was given for its list.
        RECT dropped;
        const auto last = placed_.find(child);
        return last != placed_.end() && last->second == r &&
               SendMessageA(child, CB_GETDROPPEDCONTROLRECT, 0,
                            reinterpret_cast<LPARAM>(&dropped)) != 0;
    }

    HWND parent_;
    std::map<HWND, TRect>& placed_;
    std::vector<std::pair<HWND, TRect>> moves_;
};

HWND MakeToolBar(TMainForm& form, int id, bool vertical) {
    DWORD style = TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NODIVIDER | CCS_NORESIZE;
    if (vertical)
        style |= CCS_VERT | TBSTYLE_WRAPABLE;
    HWND bar = Child(form.window, 0, TOOLBARCLASSNAMEA, "", style, id);
    SendMessageA(bar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    return bar;
}

template <std::size_t N>
void AddButtons(HWND bar, HIMAGELIST images, const std::array<TButtonCommand, N>& buttons,
                bool vertical) {
    SendMessageA(bar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
    TBBUTTON added[N] = {};
    for (std::size_t i = 0; i < N; ++i) {
        added[i].iBitmap = static_cast<int>(i);
        added[i].idCommand = buttons[i].id;
        added[i].fsState = TBSTATE_ENABLED | (vertical ? TBSTATE_WRAP : 0);
        added[i].fsStyle = static_cast<BYTE>(buttons[i].toggle ? BTNS_CHECK : BTNS_BUTTON);
    }
    SendMessageA(bar, TB_ADDBUTTONSA, N, reinterpret_cast<LPARAM>(added));
}

// The information panel's values explain themselves when the mouse rests on them.
void AddValueHints(TMainForm& form) {
    form.valueHints =
        CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, TTS_ALWAYSTIP, 0, 0, 0, 0,
                        form.window, nullptr, GetModuleHandleA(nullptr), nullptr);
    const std::pair<HWND, const char*> hints[] = {{form.version, "ISO/MPEG Version"},
                                                  {form.layer, "ISO/MPEG Layer"},
                                                  {form.bitRate, "Bit per second..."},
                                                  {form.sampleFreq, "Sampling Frequency"}};
    for (const auto& [label, hint] : hints) {
        TTTOOLINFOA tool{};
        tool.cbSize = TTTOOLINFOA_V1_SIZE;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = form.window;
        tool.uId = reinterpret_cast<UINT_PTR>(label);
        tool.lpszText = const_cast<char*>(hint);
        SendMessageA(form.valueHints, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void SetButtonSize(TMainForm& form, int size) {
    form.buttonSize = size;
    for (HWND bar : {form.toolBar, form.toolPanel}) {
        SendMessageA(bar, TB_SETBUTTONSIZE, 0, MAKELPARAM(size, size));
    }
}

void CreateControls(TMainForm& form) {
    HWND w = form.window;
    form.toolBar = MakeToolBar(form, IDC_TOOLBAR, false);
    form.toolPanel = MakeToolBar(form, IDC_TOOLPANEL, true);
    form.toolBarImages = CreateButtonImages(kToolBarButtons.data(), kToolBarButtons.size());
    form.toolPanelImages = CreateButtonImages(kToolPanelButtons.data(), kToolPanelButtons.size());
    AddButtons(form.toolBar, form.toolBarImages, kToolBarButtons, false);
    AddButtons(form.toolPanel, form.toolPanelImages, kToolPanelButtons, true);
    SetButtonSize(form, 25);

    form.driveBox =
        Child(w, 0, "COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, IDC_DRIVEBOX);
    form.folderList =
        Child(w, WS_EX_CLIENTEDGE, "LISTBOX", "",
              LBS_NOTIFY | WS_VSCROLL | LBS_NOINTEGRALHEIGHT | WS_TABSTOP, IDC_FOLDERLIST);
    form.filterBox = Child(w, 0, "COMBOBOX", "", CBS_DROPDOWNLIST | WS_TABSTOP, IDC_FILTERBOX);
    form.fileList = Child(
        w, WS_EX_CLIENTEDGE, "LISTBOX", "",
        LBS_NOTIFY | LBS_EXTENDEDSEL | LBS_SORT | WS_VSCROLL | LBS_NOINTEGRALHEIGHT | WS_TABSTOP,
        IDC_FILELIST);
    SetWindowLongPtrA(form.fileList, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&form));
    form.fileListProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
        form.fileList, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FileListBoxProc)));
    form.fileCount = Child(w, 0, "STATIC", "", SS_LEFT, IDC_FILECOUNT);
    const char* infoCaptions[4] = {"Version : ", "Layer : ", "Bit Rate :", "Sample Freq. :"};
    for (int i = 0; i < 4; ++i) {
        form.infoLabels[i] = Child(w, 0, "STATIC", infoCaptions[i], SS_LEFT, IDC_INFOLABEL + i);
    }
    form.version = Child(w, 0, "STATIC", "", SS_LEFT | SS_NOTIFY, IDC_VERSION);
    form.layer = Child(w, 0, "STATIC", "", SS_LEFT | SS_NOTIFY, IDC_LAYER);
    form.bitRate = Child(w, 0, "STATIC", "", SS_LEFT | SS_NOTIFY, IDC_BITRATE);
    form.sampleFreq = Child(w, 0, "STATIC", "", SS_LEFT | SS_NOTIFY, IDC_SAMPLEFREQ);
    AddValueHints(form);

    form.tabSet = Child(w, 0, WC_TABCONTROLA, "", WS_CLIPSIBLINGS, IDC_TABSET);
    TCITEMA tab{};
    tab.mask = TCIF_TEXT;
    tab.pszText = const_cast<char*>("Tag Info");
    SendMessageA(form.tabSet, TCM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&tab));
    tab.pszText = const_cast<char*>("Lyrics");
    SendMessageA(form.tabSet, TCM_INSERTITEMA, 1, reinterpret_cast<LPARAM>(&tab));
    const char* tagCaptions[6] = {"Title", "Artist", "Album", "Genre", "Year", "Comment"};
    for (int i = 0; i < 6; ++i) {
        form.tagLabels[i] = Child(w, 0, "STATIC", tagCaptions[i], SS_LEFT, IDC_TAGLABEL + i);
    }
    const DWORD edit = ES_AUTOHSCROLL | WS_TABSTOP;
    form.title = Child(w, WS_EX_CLIENTEDGE, "EDIT", "", edit, IDC_TITLE);
    form.artist = Child(w, WS_EX_CLIENTEDGE, "EDIT", "", edit, IDC_ARTIST);
    form.album = Child(w, WS_EX_CLIENTEDGE, "EDIT", "", edit, IDC_ALBUM);
    form.genre = Child(w, 0, "COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, IDC_GENRE);
    form.year = Child(w, 0, "COMBOBOX", "", CBS_DROPDOWN | WS_VSCROLL | WS_TABSTOP, IDC_YEAR);
    form.comment = Child(w, WS_EX_CLIENTEDGE, "EDIT", "", edit, IDC_COMMENT);
    for (HWND box : {form.title, form.artist, form.album, form.comment}) {
        SendMessageA(box, EM_LIMITTEXT, kTagTextWidth, 0);
    }
    for (std::string_view name : kGenreNames) {
        SendMessageA(form.genre, CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(std::string(name).c_str()));
    }
    for (std::string_view preset : kYearPresets) {
        SendMessageA(form.year, CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(std::string(preset).c_str()));
    }
    form.lyricsMemo =
        Child(w, WS_EX_CLIENTEDGE, "EDIT", "",
              ES_MULTILINE | ES_READONLY | WS_VSCROLL | ES_AUTOVSCROLL, IDC_LYRICSMEMO);

    form.songList =
        Child(w, WS_EX_CLIENTEDGE, WC_LISTVIEWA, "",
              LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS | WS_TABSTOP, IDC_SONGLIST);
    SendMessageA(form.songList, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT);
    SendMessageA(form.songList, LVM_SETCALLBACKMASK, LVIS_STATEIMAGEMASK, 0);
    form.stateImages = CreateStateImages();
    SendMessageA(form.songList, LVM_SETIMAGELIST, LVSIL_STATE,
                 reinterpret_cast<LPARAM>(form.stateImages));
    const char* columns[3] = {"Filename", "Time", "Path"};
    for (int i = 0; i < 3; ++i) {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = const_cast<char*>(columns[i]);
        column.cx = 100;
        SendMessageA(form.songList, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    }
    form.totalSong = Child(w, 0, "STATIC", "", SS_LEFT, IDC_TOTALSONG);
    form.totalTime = Child(w, 0, "STATIC", "", SS_RIGHT, IDC_TOTALTIME);
    // The pages' controls lie on the tab control, which must stay beneath them.
    SetWindowPos(form.tabSet, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    form.statusBar = Child(w, 0, STATUSCLASSNAMEA, "", SBARS_SIZEGRIP, IDC_STATUSBAR);

    HINSTANCE instance = GetModuleHandleA(nullptr);
    form.listMenu = LoadMenuA(instance, MAKEINTRESOURCEA(IDR_LISTMENU));
    form.trayMenu = LoadMenuA(instance, MAKEINTRESOURCEA(IDR_TRAYMENU));
    SendMessageA(form.filterBox, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("MP3 Files"));
    SendMessageA(form.filterBox, CB_SETCURSEL, 0, 0);
}

// A floating bar takes no room in the window.
int ToolBarHeight(const TMainForm& form) {
    return ToolBarFloating(form) ? 0 : form.buttonSize + 6;
}

int StatusBarHeight(const TMainForm& form) {
    RECT r;
    GetWindowRect(form.statusBar, &r);
    return r.bottom - r.top;
}

bool ToolBarAtBottom(const TMainForm& form) {
    return form.toolBarAlign == TToolBarAlign::Bottom;
}

// The panels lie between the tool bar and the status bar, on whichever edge the bar docks.
TMainLayout FormLayout(const TMainForm& form, const RECT& client) {
    const int bar = ToolBarHeight(form);
    const int status = StatusBarHeight(form);
    if (ToolBarAtBottom(form)) {
        return LayOutMainWindow(client.right, client.bottom, 0, status + bar, form.buttonSize,
                                form.panels);
    }
    return LayOutMainWindow(client.right, client.bottom, bar, status, form.buttonSize, form.panels);
}

int PanelsTop(const TMainForm& form) {
    return ToolBarAtBottom(form) ? 0 : ToolBarHeight(form);
}

void ShowTabPage(TMainForm& form) {
    const bool lyrics = SendMessageA(form.tabSet, TCM_GETCURSEL, 0, 0) == 1;
    const int tagShow = lyrics ? SW_HIDE : SW_SHOW;
    for (HWND c : form.tagLabels) ShowWindow(c, tagShow);
    for (HWND c : {form.title, form.artist, form.album, form.genre, form.year, form.comment}) {
        ShowWindow(c, tagShow);
    }
    ShowWindow(form.lyricsMemo, lyrics ? SW_SHOW : SW_HIDE);
}

}  // namespace

void LayOut(TMainForm& form) {
    RECT client;
    GetClientRect(form.window, &client);
    SendMessageA(form.statusBar, WM_SIZE, 0, 0);
    // The hint panel keeps its place (part 1) between "Modified" and the tag kind.
    int parts[3] = {
        kStatusModifiedWidth,
        std::max(kStatusModifiedWidth, static_cast<int>(client.right) - kStatusTagKindWidth), -1};
    SendMessageA(form.statusBar, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(parts));
    const int toolBar = ToolBarHeight(form);
    const TMainLayout l = FormLayout(form, client);
    const int toolBarTop =
        ToolBarAtBottom(form)
            ? std::max(0, static_cast<int>(client.bottom) - StatusBarHeight(form) - toolBar)
            : 0;
    ChildMoves moves(form.window, form.placed);
    if (!ToolBarFloating(form))
        moves.Place(form.toolBar, {0, toolBarTop, static_cast<int>(client.right), toolBar});
    const TRect& d = l.dirListPanel;
    moves.Place(form.driveBox, {d.x, d.y, d.width, 200});
    moves.Place(form.folderList, {d.x, d.y + 24, d.width, std::max(0, d.height - 48)});
    moves.Place(form.filterBox, {d.x, d.y + d.height - 23, d.width, 100});
    const TRect& f = l.fileListPanel;
    moves.Place(form.fileList, {f.x, f.y, f.width, std::max(0, f.height - 18)});
    moves.Place(form.fileCount, {f.x + 2, f.y + f.height - 16, f.width - 2, 16});
    const TRect& i = l.infoPanel;
    HWND values[4] = {form.version, form.layer, form.bitRate, form.sampleFreq};
    for (int row = 0; row < 4; ++row) {
        moves.Place(form.infoLabels[row], {i.x + 4, i.y + 2 + row * 17, 80, 16});
        moves.Place(values[row], {i.x + 88, i.y + 2 + row * 17, std::max(0, i.width - 92), 16});
    }
    const TRect& t = l.tabs;
    moves.Place(form.tabSet, t);
    RECT page{t.x, t.y, t.x + t.width, t.y + t.height};
    SendMessageA(form.tabSet, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&page));
    const int pageWidth = std::max(0, static_cast<int>(page.right - page.left));
    HWND boxes[6] = {form.title, form.artist, form.album, form.genre, form.year, form.comment};
    for (int row = 0; row < 6; ++row) {
        const int y = page.top + 2 + row * 22;
        moves.Place(form.tagLabels[row], {page.left + 2, y + 3, 50, 16});
        moves.Place(boxes[row], {page.left + 54, y, std::max(0, pageWidth - 58),
                                 row == 3 || row == 4 ? 200 : 20});
    }
    moves.Place(form.lyricsMemo, {page.left, page.top, pageWidth,
                                  std::max(0, static_cast<int>(page.bottom - page.top))});
    moves.Place(form.toolPanel, l.toolPanel);
    moves.Place(form.songList, l.songList);
    const TRect& s = l.totals;
    moves.Place(form.totalSong, {s.x + 2, s.y + 2, s.width / 3 - 2, s.height - 2});
    moves.Place(form.totalTime,
                {s.x + s.width / 3, s.y + 2, s.width - s.width / 3 - 2, s.height - 2});
    moves.Apply();
    InvalidateRect(form.window, nullptr, TRUE);
}

namespace {

// ---- handlers ----

LRESULT FormCreate(HWND window, const CREATESTRUCTA* create) {
    auto* form = static_cast<TMainForm*>(create->lpCreateParams);
    form->window = window;
    CreateControls(*form);
    FormCreateModel(*form);
    ShowTabPage(*form);
    SetTimer(window, kRunningTimer, kRunningTimerMilliseconds, nullptr);
    PostMessageA(window, kCreateFinishMessage, 0, 0);
    return 0;
}

LRESULT FormResize(TMainForm& form, WPARAM type, int width) {
    if (type == SIZE_MINIMIZED || form.toolBar == nullptr)
        return 0;
    const bool ratio = ReadSetting(form.store, setting::MainTainPanelRatio);
    form.panels = PanelsAfterResize(form.panels, width, ratio);
    LayOut(form);
    return 0;
}

// Splitters are the gaps between the panels: dragging one moves its edge.

TSplitter SplitterAt(const TMainForm& form, int x, int y) {
    RECT client;
    GetClientRect(form.window, &client);
    const TMainLayout l = FormLayout(form, client);
    const auto inside = [x, y](const TRect& r) {
        return x >= r.x && x < r.x + r.width && y >= r.y && y < r.y + r.height;
    };
    if (inside(l.split1))
        return TSplitter::Split1;
    if (inside(l.split2))
        return TSplitter::Split2;
    if (inside(l.split3))
        return TSplitter::Split3;
    return TSplitter::None;
}

LRESULT FormSetCursor(TMainForm& form, WPARAM wParam, LPARAM lParam) {
    if (reinterpret_cast<HWND>(wParam) == form.window && LOWORD(lParam) == HTCLIENT) {
        POINT p;
        GetCursorPos(&p);
        ScreenToClient(form.window, &p);
        const TSplitter s = SplitterAt(form, p.x, p.y);
        if (s != TSplitter::None) {
            SetCursor(LoadCursorA(nullptr, s == TSplitter::Split2 ? IDC_SIZENS : IDC_SIZEWE));
            return TRUE;
        }
    }
    return DefWindowProcA(form.window, WM_SETCURSOR, wParam, lParam);
}

LRESULT SplitMouseDown(TMainForm& form, LPARAM lParam) {
    form.splitDragging = SplitterAt(form, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    if (form.splitDragging != TSplitter::None)
        SetCapture(form.window);
    return 0;
}

LRESULT SplitMouseUp(TMainForm& form, LPARAM lParam) {
    if (form.splitDragging == TSplitter::None)
        return 0;
    ReleaseCapture();
    const int x = GET_X_LPARAM(lParam);
    const int y = GET_Y_LPARAM(lParam);
    RECT client;
    GetClientRect(form.window, &client);
    switch (form.splitDragging) {
        case TSplitter::Split1:
            form.panels.dirListPanelWidth = std::clamp(x, 0, form.panels.leftPanelWidth);
            break;
        case TSplitter::Split2:
            form.panels.listPanelHeight = std::max(0, y - PanelsTop(form));
            break;
        case TSplitter::Split3:
            form.panels.leftPanelWidth = x;
            form.panels = PanelsAfterSplit3(form.panels, client.right);
            break;
        case TSplitter::None:
            break;
    }
    form.splitDragging = TSplitter::None;
    LayOut(form);
    return 0;
}

POINT ScreenPoint(HWND window, LPARAM lParam) {
    POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ClientToScreen(window, &p);
    return p;
}

LRESULT FormMouseMove(TMainForm& form, LPARAM lParam) {
    if (form.dragSource != TDragSource::None)
        SongListDragOver(form, ScreenPoint(form.window, lParam));
    return 0;
}

LRESULT FormMouseUp(TMainForm& form, LPARAM lParam) {
    if (form.dragSource == TDragSource::None)
        return SplitMouseUp(form, lParam);
    SongListDragDrop(form, ScreenPoint(form.window, lParam));
    return 0;
}

// A press on a selected file keeps the selection when it starts a drag; a press that is no
// drag is handed to the list box whole.
LRESULT FileListBoxMouseDown(TMainForm& form, WPARAM wParam, LPARAM lParam) {
    HWND box = form.fileList;
    const DWORD hit = static_cast<DWORD>(SendMessageA(box, LB_ITEMFROMPOINT, 0, lParam));
    const bool onSelected = HIWORD(hit) == 0 && (wParam & (MK_SHIFT | MK_CONTROL)) == 0 &&
                            SendMessageA(box, LB_GETSEL, LOWORD(hit), 0) > 0;
    if (!onSelected)
        CallWindowProcA(form.fileListProc, box, WM_LBUTTONDOWN, wParam, lParam);
    POINT screen{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ClientToScreen(box, &screen);
    if (DragDetect(box, screen)) {
        FileListBoxStartDrag(form);
        return 0;
    }
    if (onSelected)
        CallWindowProcA(form.fileListProc, box, WM_LBUTTONDOWN, wParam, lParam);
    return CallWindowProcA(form.fileListProc, box, WM_LBUTTONUP, wParam, lParam);
}

LRESULT CALLBACK FileListBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* form = reinterpret_cast<TMainForm*>(GetWindowLongPtrA(box, GWLP_USERDATA));
    if (message == WM_LBUTTONDOWN)
        return FileListBoxMouseDown(*form, wParam, lParam);
    return CallWindowProcA(form->fileListProc, box, message, wParam, lParam);
}

void SupplySongText(TMainForm& form, NMLVDISPINFOA* info) {
    LVITEMA& item = info->item;
    if (item.iItem < 0 || item.iItem >= form.list.Count())
        return;
    const TSongEntry& entry = form.list.Entry(item.iItem);
    if (item.mask & LVIF_TEXT) {
        const std::string& text = item.iSubItem == 0   ? entry.caption
                                  : item.iSubItem == 1 ? entry.timeText
                                                       : entry.folder;
        lstrcpynA(item.pszText, text.c_str(), item.cchTextMax);
    }
    if (item.mask & LVIF_STATE) {
        item.state |= INDEXTOSTATEIMAGEMASK(static_cast<UINT>(entry.stateImage + 1));
        item.stateMask |= LVIS_STATEIMAGEMASK;
    }
}

void PostRefresh(TMainForm& form) {
    if (form.pushingList || form.refreshPosted)
        return;
    form.refreshPosted = true;
    PostMessageA(form.window, kRefreshMessage, 0, 0);
}

LRESULT FormNotify(TMainForm& form, NMHDR* header) {
    if (header->hwndFrom == form.songList) {
        switch (header->code) {
            case LVN_GETDISPINFOA:
                SupplySongText(form, reinterpret_cast<NMLVDISPINFOA*>(header));
                break;
            case LVN_ITEMCHANGED:
            case LVN_ODSTATECHANGED:
                // Only the user's changes make the song list the one Play acts on.
                if (form.pushingList)
                    break;
                form.active = TActiveControl::SongList;
                PostRefresh(form);
                break;
            case NM_CLICK:
                form.active = TActiveControl::SongList;
                PostRefresh(form);
                break;
            case NM_DBLCLK:
                SongListDblClick(form);
                break;
            case NM_RCLICK:
                SongListPopup(form);
                break;
            case LVN_BEGINDRAG:
                SongListStartDrag(form);
                break;
            case LVN_COLUMNCLICK:
                SongListColumnClick(form, reinterpret_cast<NMLISTVIEW*>(header)->iSubItem);
                break;
            default:
                break;
        }
        return 0;
    }
    if (header->hwndFrom == form.tabSet && header->code == TCN_SELCHANGE) {
        ShowTabPage(form);
        return 0;
    }
    if (header->code == TTN_GETDISPINFOA) {
        auto* tip = reinterpret_cast<NMTTDISPINFOA*>(header);
        const std::string_view hint = HintOfCommand(static_cast<int>(header->idFrom));
        static char text[80];
        lstrcpynA(text, std::string(hint).c_str(), sizeof text);
        tip->lpszText = text;
        SendMessageA(form.statusBar, SB_SETTEXTA, 1, reinterpret_cast<LPARAM>(text));
    }
    return 0;
}

LRESULT FormControlCommand(TMainForm& form, WORD id, WORD code, HWND control) {
    if (control == form.fileList) {
        if (code == LBN_SELCHANGE || code == LBN_SETFOCUS) {
            form.active = TActiveControl::FileList;
            FileListBoxClick(form);
        } else if (code == LBN_DBLCLK) {
            FileListBoxDblClick(form);
        }
        return 0;
    }
    if (control == form.folderList && code == LBN_DBLCLK) {
        FolderListDblClick(form);
        return 0;
    }
    if (control == form.driveBox && code == CBN_SELCHANGE) {
        DriveBoxChange(form);
        return 0;
    }
    const bool tagBox = control == form.title || control == form.artist || control == form.album ||
                        control == form.comment;
    if (control == form.year && (code == CBN_SELCHANGE || code == CBN_EDITCHANGE)) {
        YearChange(form, code == CBN_SELCHANGE);
        return 0;
    }
    if ((tagBox && code == EN_CHANGE) || (control == form.genre && code == CBN_SELCHANGE)) {
        TagBoxChange(form);
        return 0;
    }
    if (control == form.year && code == CBN_KILLFOCUS) {
        YearExit(form);
        return 0;
    }
    if (control == nullptr || control == form.toolBar || control == form.toolPanel || code == 0) {
        MainCommand(form, id);
    }
    return 0;
}

LRESULT FormCloseQuery(TMainForm& form) {
    if (CloseNeedsQuestion(form.closeBoxHit)) {
        form.closeBoxHit = false;
        ModalScope asking(form);
        const int answer = form.dialogs.Message(form.window, LeaveQuestion(),
                                                MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2);
        // A close that came while the question was up is answered by it.
        form.closeWaiting = false;
        if (answer != IDYES)
            return 0;
    }
    FormClose(form);
    DestroyWindow(form.window);
    return 0;
}

// The control that had the focus gets it back when the window is active again (after a box).
LRESULT FormActivate(TMainForm& form, WPARAM wParam, LPARAM lParam) {
    if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus != nullptr && IsChild(form.window, focus))
            form.lastFocus = focus;
        return DefWindowProcA(form.window, WM_ACTIVATE, wParam, lParam);
    }
    if (HIWORD(wParam) == 0 && form.lastFocus != nullptr && IsWindow(form.lastFocus) &&
        IsWindowVisible(form.lastFocus) && IsWindowEnabled(form.lastFocus)) {
        SetFocus(form.lastFocus);
        return 0;
    }
    return DefWindowProcA(form.window, WM_ACTIVATE, wParam, lParam);
}

// The window never gets so low that a tag box falls off its page.
LRESULT FormMinMaxInfo(TMainForm& form, MINMAXINFO* info) {
    if (form.statusBar == nullptr)
        return 0;
    RECT frame{0, 0, 0, MinClientHeight(ToolBarHeight(form), StatusBarHeight(form))};
    AdjustWindowRect(&frame, static_cast<DWORD>(GetWindowLongPtrA(form.window, GWL_STYLE)),
                     GetMenu(form.window) != nullptr);
    info->ptMinTrackSize.y = std::max(info->ptMinTrackSize.y, frame.bottom - frame.top);
    return 0;
}

LRESULT FormNcHitTest(TMainForm& form, WPARAM wParam, LPARAM lParam) {
    const LRESULT hit = DefWindowProcA(form.window, WM_NCHITTEST, wParam, lParam);
    form.closeBoxHit = hit == HTCLOSE;
    return hit;
}

LRESULT Dispatch(TMainForm& form, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SIZE:
            return FormResize(form, wParam, LOWORD(lParam));
        case WM_SETCURSOR:
            return FormSetCursor(form, wParam, lParam);
        case WM_LBUTTONDOWN:
            return SplitMouseDown(form, lParam);
        case WM_MOUSEMOVE:
            return FormMouseMove(form, lParam);
        case WM_LBUTTONUP:
            return FormMouseUp(form, lParam);
        case WM_CAPTURECHANGED:
            if (reinterpret_cast<HWND>(lParam) != form.window) {
                EndDrag(form);
                form.splitDragging = TSplitter::None;
            }
            return 0;
        case WM_ACTIVATE:
            return FormActivate(form, wParam, lParam);
        case WM_NOTIFY:
            return FormNotify(form, reinterpret_cast<NMHDR*>(lParam));
        case WM_MENUSELECT:
            MenuItemSelect(form, LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_COMMAND:
            return FormControlCommand(form, LOWORD(wParam), HIWORD(wParam),
                                      reinterpret_cast<HWND>(lParam));
        case WM_TIMER:
            // Inside a box's loop the tick waits: it could open one more box.
            if (form.modalDepth == 0)
                RunningTimerTimer(form);
            return 0;
        case kRefreshMessage:
            form.refreshPosted = false;
            if (form.modalDepth > 0) {
                form.refreshWaiting = true;
                return 0;
            }
            SongListClick(form);
            return 0;
        case kCreateFinishMessage:
            FormCreateFinish(form);
            return 0;
        case kApplyPlacementMessage:
            FormApplyPlacement(form);
            return 0;
        case kFocusYearMessage:
            SetFocus(form.year);
            SendMessageA(form.year, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
            return 0;
        case WM_NCHITTEST:
            return FormNcHitTest(form, wParam, lParam);
        case WM_GETMINMAXINFO:
            return FormMinMaxInfo(form, reinterpret_cast<MINMAXINFO*>(lParam));
        case WM_CLOSE:
            if (form.modalDepth > 0) {
                form.closeWaiting = true;
                BringModalForward(form);
                return 0;
            }
            return FormCloseQuery(form);
        case WM_QUERYENDSESSION:
            return TRUE;
        case WM_ENDSESSION:
            if (wParam)
                FormEndSession(form);
            return 0;
        case WM_SHOWWINDOW:
            if (wParam)
                FormShow(form);
            return DefWindowProcA(form.window, message, wParam, lParam);
        case WM_DESTROY:
            FormDestroy(form);
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcA(form.window, message, wParam, lParam);
    }
}

LRESULT CALLBACK MainFormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        static_cast<TMainForm*>(create->lpCreateParams)->window = window;
        SetWindowLongPtrA(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        return DefWindowProcA(window, message, wParam, lParam);
    }
    auto* form = reinterpret_cast<TMainForm*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (form == nullptr)
        return DefWindowProcA(window, message, wParam, lParam);
    // The one place a failed file or registry operation ends up: the command stops, the
    // error is shown, and the window stays usable.
    try {
        if (message == WM_CREATE) {
            return FormCreate(window, reinterpret_cast<const CREATESTRUCTA*>(lParam));
        }
        if (message == WM_NCDESTROY) {
            SetWindowLongPtrA(window, GWLP_USERDATA, 0);
            delete form;
            return DefWindowProcA(window, message, wParam, lParam);
        }
        return Dispatch(*form, message, wParam, lParam);
    } catch (const std::exception& error) {
        form->dialogs.Message(window, error.what(), MB_OK | MB_ICONERROR);
    }
    return 0;
}

}  // namespace

ModalScope::ModalScope(TMainForm& form) : form_(form) {
    ++form_.modalDepth;
}

ModalScope::~ModalScope() {
    if (--form_.modalDepth > 0 || !IsWindow(form_.window))
        return;
    if (std::exchange(form_.refreshWaiting, false)) {
        form_.refreshPosted = true;
        PostMessageA(form_.window, kRefreshMessage, 0, 0);
    }
    if (std::exchange(form_.closeWaiting, false))
        PostMessageA(form_.window, WM_CLOSE, 0, 0);
}

int ModalDialogs::Message(HWND owner, std::string_view text, UINT type) {
    ModalScope scope(form_);
    return inner_.Message(owner, text, type);
}

std::optional<std::string> ModalDialogs::Input(HWND owner, std::string_view prompt,
                                               std::string_view answer) {
    ModalScope scope(form_);
    return inner_.Input(owner, prompt, answer);
}

bool ModalDialogs::Properties(HWND owner, const std::string& caption, TOptions& options) {
    ModalScope scope(form_);
    return inner_.Properties(owner, caption, options);
}

void ModalDialogs::Sets(HWND owner, TSetsDialogModel& model, SetsDialogHost& host) {
    ModalScope scope(form_);
    inner_.Sets(owner, model, host);
}

std::optional<TSetRecord> ModalDialogs::NewSet(HWND owner) {
    ModalScope scope(form_);
    return inner_.NewSet(owner);
}

void ModalDialogs::PickFont(HWND owner, LOGFONTA font, void (*apply)(HWND, const LOGFONTA&),
                            HWND applyTo) {
    ModalScope scope(form_);
    inner_.PickFont(owner, font, apply, applyTo);
}

std::optional<std::string> ModalDialogs::FindPlayer(HWND owner) {
    ModalScope scope(form_);
    return inner_.FindPlayer(owner);
}

void BringModalForward(TMainForm& form) {
    // The boxes are owned by the main window, which shows again if it was hidden in the tray.
    HWND popup = GetLastActivePopup(form.window);
    if (popup == nullptr || !IsWindowVisible(popup))
        popup = form.window;
    SetForegroundWindow(popup);
}

TMainForm* MainFormState(HWND window) {
    char name[32] = "";
    GetClassNameA(window, name, sizeof name);
    if (std::strcmp(name, kMainFormClass) != 0)
        return nullptr;
    return reinterpret_cast<TMainForm*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

bool RegisterMainFormClass(HINSTANCE instance) {
    WNDCLASSA windowClass{};
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = MainFormProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_ORVANE));
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszMenuName = MAKEINTRESOURCEA(IDR_MAINMENU);
    windowClass.lpszClassName = kMainFormClass;
    return RegisterClassA(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HWND CreateMainForm(HINSTANCE instance, const TMainFormParams& params) {
    auto* form = new TMainForm(params);
    // 663 x 543 client area at design.
    RECT frame{0, 0, 663, 543};
    AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, TRUE);
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const int x =
        work.left +
        std::max(0, static_cast<int>((work.right - work.left) - (frame.right - frame.left)) / 2);
    const int y =
        work.top +
        std::max(0, static_cast<int>((work.bottom - work.top) - (frame.bottom - frame.top)) / 2);
    HWND window =
        CreateWindowExA(0, kMainFormClass, std::string(kApplicationTitle).c_str(),
                        WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, x, y, frame.right - frame.left,
                        frame.bottom - frame.top, nullptr, nullptr, instance, form);
    if (window == nullptr)
        return nullptr;
    if (!params.startHidden) {
        ShowWindow(window, SW_SHOW);
        UpdateWindow(window);
    } else {
        form->hidden = true;
    }
    return window;
}

HACCEL LoadMainAccelerators(HINSTANCE instance) {
    return LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDR_ACCELERATORS));
}

namespace {

bool EditKeepsKey(const MSG& message) {
    if (message.message != WM_KEYDOWN)
        return false;
    char name[16] = "";
    GetClassNameA(message.hwnd, name, sizeof name);
    return EditBoxKeepsKey(lstrcmpiA(name, "Edit") == 0, GetKeyState(VK_CONTROL) < 0,
                           GetKeyState(VK_MENU) < 0, static_cast<unsigned>(message.wParam));
}

}  // namespace

int RunMessageLoop(HWND mainWindow, HACCEL accelerators, bool wait) {
    MSG message;
    for (;;) {
        if (wait) {
            if (GetMessageA(&message, nullptr, 0, 0) <= 0)
                return static_cast<int>(message.wParam);
        } else if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            return 0;
        } else if (message.message == WM_QUIT) {
            return static_cast<int>(message.wParam);
        }
        if (IsWindow(mainWindow) && accelerators != nullptr && !EditKeepsKey(message) &&
            TranslateAcceleratorA(mainWindow, accelerators, &message)) {
            continue;
        }
        // Tab and Shift+Tab move through the boxes and lists of the main window.
        if (IsWindow(mainWindow) && message.message == WM_KEYDOWN && message.wParam == VK_TAB &&
            IsChild(mainWindow, message.hwnd) && IsDialogMessageA(mainWindow, &message)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

}  // namespace orvane
