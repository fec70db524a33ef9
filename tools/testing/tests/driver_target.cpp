// A small window for the driver's self-test: one control of every kind the driver reads or
// drives, a menu with accelerators and a tray icon. What it receives last shows in its log.
#include <windows.h>
// The control and shell headers need the types of windows.h.
#include <commctrl.h>
#include <shellapi.h>

#include <string>

#include "driver_target.h"

namespace {

HWND g_log = nullptr;
HMENU g_trayMenu = nullptr;

void Log(const std::string& event) {
    SetWindowTextA(g_log, event.c_str());
}

HWND Child(HWND parent, const char* kind, const char* text, DWORD style, int id, int x, int y,
           int width, int height) {
    return CreateWindowExA(kind == std::string(WC_LISTVIEWA) ? WS_EX_CLIENTEDGE : 0, kind, text,
                           WS_CHILD | WS_VISIBLE | style, x, y, width, height, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
}

void AddRow(HWND rows, int index, const char* text) {
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = index;
    item.pszText = const_cast<char*>(text);
    SendMessageA(rows, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

HTREEITEM AddLeaf(HWND tree, HTREEITEM parent, const char* text) {
    TVINSERTSTRUCTA insert{};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT;
    insert.item.pszText = const_cast<char*>(text);
    return reinterpret_cast<HTREEITEM>(
        SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

void Create(HWND window) {
    const DWORD tab = WS_TABSTOP;
    Child(window, "Button", "&Hello", tab | BS_PUSHBUTTON, TARGET_HELLO, 10, 10, 80, 24);
    Child(window, "Edit", "", tab | WS_BORDER | ES_AUTOHSCROLL, TARGET_EDIT, 10, 40, 200, 22);
    HWND list =
        Child(window, "ListBox", "", tab | WS_BORDER | LBS_NOTIFY, TARGET_LIST, 10, 70, 100, 80);
    for (const char* text : {"one", "two", "three"})
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    HWND combo =
        Child(window, "ComboBox", "", tab | CBS_DROPDOWNLIST, TARGET_COMBO, 120, 70, 100, 120);
    for (const char* text : {"red", "green", "blue"})
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    HWND rows = Child(window, WC_LISTVIEWA, "", tab | LVS_REPORT | LVS_SINGLESEL, TARGET_ROWS, 230,
                      10, 150, 120);
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = 120;
    column.pszText = const_cast<char*>("Name");
    SendMessageA(rows, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
    AddRow(rows, 0, "alpha");
    AddRow(rows, 1, "beta");
    AddRow(rows, 2, "gamma");
    HWND tree = Child(window, WC_TREEVIEWA, "",
                      tab | WS_BORDER | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT,
                      TARGET_TREE, 390, 10, 150, 120);
    HTREEITEM root = AddLeaf(tree, TVI_ROOT, "Root");
    AddLeaf(tree, root, "Leaf A");
    AddLeaf(tree, root, "Leaf B");
    Child(window, "Button", "&Check", tab | BS_AUTOCHECKBOX, TARGET_CHECK, 10, 160, 100, 20);
    g_log = Child(window, "Static", "started", 0, TARGET_LOG, 10, 190, 500, 20);

    g_trayMenu = CreatePopupMenu();
    AppendMenuA(g_trayMenu, MF_STRING, TARGET_TRAY_EXIT, "Tray exit");
    AppendMenuA(g_trayMenu, MF_STRING, TARGET_TRAY_HELLO, "Tray hello");
    NOTIFYICONDATAA icon{};
    icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
    icon.hWnd = window;
    icon.uID = TARGET_TRAY_ID;
    icon.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    icon.uCallbackMessage = TARGET_TRAY_MESSAGE;
    icon.hIcon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
    lstrcpyA(icon.szTip, "Driver target");
    Shell_NotifyIconA(NIM_ADD, &icon);
}

std::string TextOfChild(HWND window, int id) {
    char text[256] = {};
    GetDlgItemTextA(window, id, text, sizeof text);
    return text;
}

void Command(HWND window, int id, int code) {
    switch (id) {
        case TARGET_HELLO:
            Log(MessageBoxA(window, "Hello there", "Target", MB_YESNO) == IDYES ? "box yes"
                                                                                : "box no");
            break;
        case TARGET_EDIT:
            if (code == EN_CHANGE)
                Log("edit " + TextOfChild(window, TARGET_EDIT));
            break;
        case TARGET_LIST: {
            const auto index = SendDlgItemMessageA(window, TARGET_LIST, LB_GETCURSEL, 0, 0);
            if (code == LBN_SELCHANGE)
                Log("list " + std::to_string(index));
            if (code == LBN_DBLCLK)
                Log("list double " + std::to_string(index));
            break;
        }
        case TARGET_COMBO:
            if (code == CBN_SELCHANGE)
                Log("combo " +
                    std::to_string(SendDlgItemMessageA(window, TARGET_COMBO, CB_GETCURSEL, 0, 0)));
            break;
        case TARGET_CHECK:
            Log("check " + std::to_string(IsDlgButtonChecked(window, TARGET_CHECK)));
            break;
        case TARGET_EXIT:
            DestroyWindow(window);
            break;
        default:
            Log("menu " + std::to_string(id));
            break;
    }
}

void Notify(const NMHDR& header) {
    if (header.idFrom == TARGET_ROWS && header.code == LVN_ITEMCHANGED) {
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        if ((change.uNewState & LVIS_SELECTED) && !(change.uOldState & LVIS_SELECTED))
            Log("row " + std::to_string(change.iItem));
    }
    if (header.idFrom == TARGET_TREE && header.code == TVN_SELCHANGEDA) {
        const auto& change = reinterpret_cast<const NMTREEVIEWA&>(header);
        char text[64] = {};
        TVITEMA item{};
        item.mask = TVIF_TEXT;
        item.hItem = change.itemNew.hItem;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendMessageA(header.hwndFrom, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        Log(std::string("tree ") + text);
    }
}

void Tray(HWND window, LPARAM mouse) {
    if (mouse == WM_LBUTTONUP)
        Log("tray left");
    if (mouse == WM_LBUTTONDBLCLK)
        Log("tray double");
    if (mouse == WM_RBUTTONUP) {
        POINT at{};
        GetCursorPos(&at);
        SetForegroundWindow(window);
        TrackPopupMenu(g_trayMenu, TPM_RIGHTBUTTON, at.x, at.y, 0, window, nullptr);
        PostMessageA(window, WM_NULL, 0, 0);
    }
}

LRESULT CALLBACK TargetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            Create(window);
            return 0;
        case WM_COMMAND:
            Command(window, LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_NOTIFY:
            Notify(*reinterpret_cast<const NMHDR*>(lParam));
            return 0;
        case TARGET_TRAY_MESSAGE:
            Tray(window, lParam);
            return 0;
        case WM_QUERYENDSESSION:
            Log("query end session");
            return TRUE;
        case WM_DESTROY: {
            NOTIFYICONDATAA icon{};
            icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
            icon.hWnd = window;
            icon.uID = TARGET_TRAY_ID;
            Shell_NotifyIconA(NIM_DELETE, &icon);
            PostQuitMessage(0);
            return 0;
        }
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSA kind{};
    kind.lpfnWndProc = TargetProc;
    kind.hInstance = instance;
    kind.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    kind.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    kind.lpszClassName = "DriverTarget";
    RegisterClassA(&kind);
    HWND window = CreateWindowExA(WS_EX_CONTROLPARENT, "DriverTarget", "Driver target",
                                  WS_OVERLAPPEDWINDOW, 50, 50, 580, 280, nullptr,
                                  LoadMenuA(instance, "TARGETMENU"), instance, nullptr);
    ShowWindow(window, show);
    HACCEL keys = LoadAcceleratorsA(instance, "TARGETKEYS");
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (TranslateAcceleratorA(window, keys, &message))
            continue;
        if (IsDialogMessageA(window, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
