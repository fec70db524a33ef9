// The main window's controls, made once when the window is created.
#include <array>

#include "button_images_win32.h"
#include "command_table.h"
#include "genre_list.h"
#include "main_form_parts_win32.h"
#include "resource.h"
#include "tag_record.h"

namespace orvane {
namespace {

HWND Child(HWND parent, DWORD exStyle, const char* className, const char* text, DWORD style,
           int id) {
    HWND child = CreateWindowExA(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 10,
                                 10, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 GetModuleHandleA(nullptr), nullptr);
    SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                 FALSE);
    return child;
}

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

}  // namespace

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

}  // namespace orvane
