// The window driver: what a person does (clicks, keys, menus, boxes, the tray).
#include "window_driver.h"

#include <commctrl.h>

#include <cstring>
#include <map>
#include <sstream>

namespace driver {

namespace {

DWORD ThreadOf(HWND window) {
    return GetWindowThreadProcessId(window, nullptr);
}

std::string WithoutAmpersands(const std::string& text) {
    std::string plain;
    for (char c : text)
        if (c != '&')
            plain += c;
    return plain;
}

// Brings the window's top-level window forward, as a person's click on it would, so that
// input reaches it.
void BringForward(HWND window) {
    HWND root = GetAncestor(window, GA_ROOT);
    if (!root)
        root = window;
    if (GetForegroundWindow() == root)
        return;
    SetForegroundWindow(root);
    WaitFor("window " + ClassOf(root) + " \"" + TextOf(root) + "\" to come forward",
            [&] { return GetForegroundWindow() == root || !IsWindow(root); });
}

void SendKey(WORD key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    switch (key) {
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
        case VK_DELETE:
        case VK_HOME:
        case VK_END:
        case VK_PRIOR:
        case VK_NEXT:
        case VK_INSERT:
            input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
            break;
        default:
            break;
    }
    SendInput(1, &input, sizeof input);
}

void SendUnicode(wchar_t character) {
    INPUT input[2]{};
    for (INPUT& one : input) {
        one.type = INPUT_KEYBOARD;
        one.ki.wScan = character;
        one.ki.dwFlags = KEYEVENTF_UNICODE;
    }
    input[1].ki.dwFlags |= KEYEVENTF_KEYUP;
    SendInput(2, input, sizeof input[0]);
}

WORD KeyNamed(const std::string& name) {
    static const std::map<std::string, WORD> keys = {
        {"Tab", VK_TAB},       {"Enter", VK_RETURN},   {"Escape", VK_ESCAPE}, {"Space", VK_SPACE},
        {"Delete", VK_DELETE}, {"Backspace", VK_BACK}, {"Up", VK_UP},         {"Down", VK_DOWN},
        {"Left", VK_LEFT},     {"Right", VK_RIGHT},    {"Home", VK_HOME},     {"End", VK_END},
        {"PageUp", VK_PRIOR},  {"PageDown", VK_NEXT},  {"Insert", VK_INSERT}};
    if (auto found = keys.find(name); found != keys.end())
        return found->second;
    if (name.size() >= 2 && name[0] == 'F') {
        const int number = std::atoi(name.c_str() + 1);
        if (number >= 1 && number <= 12)
            return static_cast<WORD>(VK_F1 + number - 1);
    }
    if (name.size() == 1) {
        const SHORT scan = VkKeyScanA(name[0]);
        if (scan != -1)
            return static_cast<WORD>(LOBYTE(scan));
    }
    Fail("Press: no key named \"" + name + "\"");
}

// One chord: "Ctrl+Shift+S".
void PressChord(const std::string& chord) {
    std::vector<WORD> modifiers;
    std::string rest = chord;
    for (;;) {
        const size_t plus = rest.find('+');
        if (plus == std::string::npos || plus + 1 == rest.size())
            break;
        const std::string name = rest.substr(0, plus);
        if (name == "Ctrl")
            modifiers.push_back(VK_CONTROL);
        else if (name == "Shift")
            modifiers.push_back(VK_SHIFT);
        else if (name == "Alt")
            modifiers.push_back(VK_MENU);
        else
            Fail("Press: no modifier named \"" + name + "\" in \"" + chord + "\"");
        rest = rest.substr(plus + 1);
    }
    const WORD key = KeyNamed(rest);
    for (WORD modifier : modifiers) SendKey(modifier, false);
    SendKey(key, false);
    SendKey(key, true);
    for (auto it = modifiers.rbegin(); it != modifiers.rend(); ++it) SendKey(*it, true);
}

void MouseAt(POINT screen, DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    input.mi.dx = MulDiv(screen.x, 65535, width - 1);
    input.mi.dy = MulDiv(screen.y, 65535, height - 1);
    input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    SendInput(1, &input, sizeof input);
}

// Lets the target take the input just sent before the next step looks.
void Settle(HWND window) {
    DWORD_PTR ignored = 0;
    for (int round = 0; round < 4; ++round)
        SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, kStepBound, &ignored);
}

RECT RemoteRect(HWND control, UINT message, WPARAM wParam, const RECT& in) {
    HANDLE process = nullptr;
    DWORD processId = 0;
    GetWindowThreadProcessId(control, &processId);
    process =
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    if (!process)
        Fail("could not open the process of a " + ClassOf(control));
    void* memory = VirtualAllocEx(process, nullptr, sizeof(RECT), MEM_COMMIT, PAGE_READWRITE);
    WriteProcessMemory(process, memory, &in, sizeof in, nullptr);
    DWORD_PTR result = 0;
    SendMessageTimeoutA(control, message, wParam, reinterpret_cast<LPARAM>(memory), SMTO_NORMAL,
                        kStepBound, &result);
    RECT out{};
    ReadProcessMemory(process, memory, &out, sizeof out, nullptr);
    VirtualFreeEx(process, memory, 0, MEM_RELEASE);
    CloseHandle(process);
    return out;
}

POINT Centre(const RECT& rect) {
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

// The rectangle of an item, in the control's client coordinates, scrolled into view.
RECT ItemRect(HWND control, int index) {
    const std::string kind = ClassOf(control);
    DWORD_PTR result = 0;
    if (kind == WC_LISTVIEWA) {
        SendMessageTimeoutA(control, LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), FALSE,
                            SMTO_NORMAL, kStepBound, &result);
        RECT in{};
        in.left = LVIR_LABEL;
        return RemoteRect(control, LVM_GETITEMRECT, static_cast<WPARAM>(index), in);
    }
    if (kind == "ListBox") {
        SendMessageTimeoutA(control, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0, SMTO_NORMAL,
                            kStepBound, &result);
        RECT rect{};
        SendMessageTimeoutA(control, LB_GETITEMRECT, static_cast<WPARAM>(index),
                            reinterpret_cast<LPARAM>(&rect), SMTO_NORMAL, kStepBound, &result);
        return rect;
    }
    Fail("no item rectangle for a " + kind);
}

HTREEITEM TreeItemAt(HWND tree, const std::string& path) {
    // Walk the labels of the path from the roots down.
    std::vector<std::string> labels;
    std::stringstream parts(path);
    for (std::string label; std::getline(parts, label, '>');) labels.push_back(label);
    DWORD_PTR result = 0;
    SendMessageTimeoutA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0, SMTO_NORMAL, kStepBound, &result);
    auto item = reinterpret_cast<HTREEITEM>(result);
    for (size_t level = 0; level < labels.size(); ++level) {
        HTREEITEM match = nullptr;
        for (HTREEITEM sibling = item; sibling;) {
            // Read one label through the full listing (the tree is small in tests).
            HANDLE process = nullptr;
            DWORD processId = 0;
            GetWindowThreadProcessId(tree, &processId);
            process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE,
                                  processId);
            const size_t size = sizeof(TVITEMA) + 512;
            auto* memory = static_cast<char*>(
                VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE));
            TVITEMA tvItem{};
            tvItem.mask = TVIF_TEXT | TVIF_HANDLE;
            tvItem.hItem = sibling;
            tvItem.pszText = memory + sizeof(TVITEMA);
            tvItem.cchTextMax = 511;
            WriteProcessMemory(process, memory, &tvItem, sizeof tvItem, nullptr);
            SendMessageTimeoutA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(memory),
                                SMTO_NORMAL, kStepBound, &result);
            char text[512] = {};
            ReadProcessMemory(process, memory + sizeof(TVITEMA), text, 511, nullptr);
            VirtualFreeEx(process, memory, 0, MEM_RELEASE);
            CloseHandle(process);
            if (labels[level] == text) {
                match = sibling;
                break;
            }
            SendMessageTimeoutA(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(sibling),
                                SMTO_NORMAL, kStepBound, &result);
            sibling = reinterpret_cast<HTREEITEM>(result);
        }
        if (!match)
            Fail("no tree item \"" + labels[level] + "\" on the way to \"" + path + "\"");
        if (level + 1 == labels.size())
            return match;
        SendMessageTimeoutA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(match),
                            SMTO_NORMAL, kStepBound, &result);
        SendMessageTimeoutA(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(match),
                            SMTO_NORMAL, kStepBound, &result);
        item = reinterpret_cast<HTREEITEM>(result);
    }
    Fail("an empty tree path");
}

void ClickTreeItem(HWND tree, HTREEITEM item, bool twice) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item), SMTO_NORMAL,
                        kStepBound, &result);
    RECT in{};
    // TVM_GETITEMRECT takes the item in the rectangle it fills.
    memcpy(&in, &item, sizeof item);
    const RECT rect = RemoteRect(tree, TVM_GETITEMRECT, TRUE, in);
    ClickAt(tree, Centre(rect), false, twice);
}

void NotifyParent(HWND control, WORD code) {
    PostMessageA(GetParent(control), WM_COMMAND,
                 MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID(control)), code),
                 reinterpret_cast<LPARAM>(control));
}

}  // namespace

void Click(HWND button) {
    if (!IsWindowEnabled(button))
        Fail("button \"" + TextOf(button) + "\" is disabled");
    PostMessageA(button, BM_CLICK, 0, 0);
}

void ClickButton(HWND window, const std::string& text) {
    Click(ControlByText(window, text));
}

void ClickButton(HWND window, int id) {
    Click(ControlById(window, id));
}

void ClickAt(HWND control, POINT client, bool right, bool twice) {
    BringForward(control);
    POINT screen = client;
    ClientToScreen(control, &screen);
    const DWORD down = right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
    const DWORD up = right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
    MouseAt(screen, 0);
    for (int click = 0; click < (twice ? 2 : 1); ++click) {
        MouseAt(screen, down);
        MouseAt(screen, up);
    }
    Settle(control);
}

void ChooseMenu(HWND window, int id) {
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), 0), 0);
}

void ChooseMenu(HWND window, const std::string& exe, const std::string& path,
                const std::string& menuName) {
    ChooseMenu(window, MenuIdFromResource(exe, path, menuName));
}

void Focus(HWND control) {
    BringForward(control);
    const DWORD own = GetCurrentThreadId();
    const DWORD target = ThreadOf(control);
    AttachThreadInput(own, target, TRUE);
    SetFocus(control);
    AttachThreadInput(own, target, FALSE);
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    WaitFor("the focus on a " + ClassOf(control), [&] {
        GetGUIThreadInfo(target, &info);
        return info.hwndFocus == control || IsChild(control, info.hwndFocus);
    });
}

void Type(HWND control, const std::string& text) {
    Focus(control);
    for (char c : text) {
        const SHORT scan = VkKeyScanA(c);
        if (scan != -1 && static_cast<unsigned char>(c) < 0x80) {
            const WORD key = LOBYTE(scan);
            const bool shift = (HIBYTE(scan) & 1) != 0;
            if (shift)
                SendKey(VK_SHIFT, false);
            SendKey(key, false);
            SendKey(key, true);
            if (shift)
                SendKey(VK_SHIFT, true);
        } else {
            wchar_t wide = 0;
            MultiByteToWideChar(CP_ACP, 0, &c, 1, &wide, 1);
            SendUnicode(wide);
        }
    }
    Settle(control);
}

void Retype(HWND edit, const std::string& text) {
    Focus(edit);
    DWORD_PTR result = 0;
    // A combo box passes the selection on to its edit.
    const UINT select = ClassOf(edit) == "ComboBox" ? CB_SETEDITSEL : EM_SETSEL;
    SendMessageTimeoutA(edit, select, 0, select == CB_SETEDITSEL ? MAKELPARAM(0, -1) : -1,
                        SMTO_NORMAL, kStepBound, &result);
    if (text.empty())
        PressChord("Delete");
    else
        Type(edit, text);
    Settle(edit);
}

void Press(HWND window, const std::string& keys) {
    BringForward(window);
    std::stringstream chords(keys);
    for (std::string chord; chords >> chord;) PressChord(chord);
    if (IsWindow(window))
        Settle(window);
}

void Select(HWND control, int index) {
    const std::string kind = ClassOf(control);
    if (kind == "ComboBox") {
        DWORD_PTR result = 0;
        SendMessageTimeoutA(control, CB_SETCURSEL, static_cast<WPARAM>(index), 0, SMTO_NORMAL,
                            kStepBound, &result);
        NotifyParent(control, CBN_SELCHANGE);
        Settle(control);
        return;
    }
    if (kind == WC_TREEVIEWA) {
        const auto items = TreeItems(control);
        if (index < 0 || static_cast<size_t>(index) >= items.size())
            Fail("no tree item #" + std::to_string(index));
        Select(control, items[static_cast<size_t>(index)].text);
        return;
    }
    const RECT rect = ItemRect(control, index);
    if (rect.right <= rect.left)
        Fail("item #" + std::to_string(index) + " of a " + kind + " has no place on screen");
    ClickAt(control, Centre(rect));
}

void Select(HWND control, const std::string& text) {
    if (ClassOf(control) == WC_TREEVIEWA) {
        ClickTreeItem(control, TreeItemAt(control, text), false);
        return;
    }
    const auto items = Items(control);
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i] == text) {
            Select(control, static_cast<int>(i));
            return;
        }
    Fail("no item \"" + text + "\" in a " + ClassOf(control));
}

void DoubleClickItem(HWND control, int index) {
    if (ClassOf(control) == WC_TREEVIEWA) {
        ClickTreeItem(control, TreeItemAt(control, TreeItems(control).at(size_t(index)).text),
                      true);
        return;
    }
    ClickAt(control, Centre(ItemRect(control, index)), false, true);
}

std::string Answer(const Program& program, const std::string& buttonText, DWORD bound) {
    // The box with that button: a step before may still be closing another box or dialog.
    HWND box = nullptr;
    HWND button = nullptr;
    WaitFor(
        "a box with a button \"" + buttonText + "\"",
        [&] {
            for (HWND window : program.TopLevelWindows()) {
                if (ClassOf(window) != "#32770" || !IsWindowVisible(window) ||
                    !IsWindowEnabled(window))
                    continue;
                for (const Control& control : Controls(window))
                    if (control.className == "Button" && control.visible &&
                        WithoutAmpersands(control.text) == WithoutAmpersands(buttonText)) {
                        box = window;
                        button = control.hwnd;
                        return true;
                    }
            }
            return false;
        },
        bound);
    const std::string text = BoxText(box);
    Click(button);
    WaitFor(
        "the box \"" + text + "\" to close after " + buttonText,
        [&] { return !IsWindow(box) || !IsWindowVisible(box) || BoxText(box) != text; }, bound);
    program.WaitIdle();
    return text;
}

void TrayClick(HWND iconWindow, UINT callbackMessage, UINT iconId, const std::string& how) {
    std::vector<UINT> mouse;
    if (how == "left")
        mouse = {WM_LBUTTONDOWN, WM_LBUTTONUP};
    else if (how == "right")
        mouse = {WM_RBUTTONDOWN, WM_RBUTTONUP};
    else if (how == "double")
        mouse = {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP};
    else
        Fail("TrayClick: \"" + how + "\" is not left, right or double");
    for (UINT message : mouse)
        PostMessageA(iconWindow, callbackMessage, iconId, static_cast<LPARAM>(message));
}

void ChoosePopup(const Program& program, HWND owner, int commandId) {
    HWND menu = nullptr;
    WaitFor("a popup menu of the program", [&] {
        for (HWND window : program.TopLevelWindows())
            if (ClassOf(window) == "#32768" && IsWindowVisible(window)) {
                menu = window;
                return true;
            }
        return false;
    });
    // Another process's menu items cannot be read: the menu is closed as a choice closes it,
    // and the chosen command goes to its owner as the menu would send it.
    PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    WaitFor("the popup menu to close", [&] { return !IsWindowVisible(menu); });
    ChooseMenu(owner, commandId);
}

void Minimise(HWND window) {
    PostMessageA(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
}

void Maximise(HWND window) {
    PostMessageA(window, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
}

void Restore(HWND window) {
    PostMessageA(window, WM_SYSCOMMAND, SC_RESTORE, 0);
}

void Close(HWND window) {
    PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
}

LRESULT SendBounded(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD bound) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, bound, &result))
        Fail("no answer to message " + std::to_string(message) + " within " +
             std::to_string(bound) + " ms");
    return static_cast<LRESULT>(result);
}

int MenuIdFromResource(const std::string& exe, const std::string& path,
                       const std::string& menuName) {
    HMODULE module = LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module)
        Fail("could not read the resources of " + exe);
    HMENU menu = nullptr;
    if (!menuName.empty()) {
        menu = LoadMenuA(module, menuName.c_str());
    } else {
        EnumResourceNamesA(
            module, RT_MENU,
            [](HMODULE m, LPCSTR, LPSTR name, LONG_PTR found) -> BOOL {
                *reinterpret_cast<HMENU*>(found) = LoadMenuA(m, name);
                return FALSE;
            },
            reinterpret_cast<LONG_PTR>(&menu));
    }
    int id = -1;
    std::stringstream parts(path);
    HMENU level = menu;
    for (std::string caption; std::getline(parts, caption, '>');) {
        id = -1;
        HMENU next = nullptr;
        const int count = level ? GetMenuItemCount(level) : 0;
        for (int i = 0; i < count; ++i) {
            char text[256] = {};
            GetMenuStringA(level, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
            std::string shown = WithoutAmpersands(text);
            shown = shown.substr(0, shown.find('\t'));
            if (shown == caption) {
                next = GetSubMenu(level, i);
                id = next ? 0 : static_cast<int>(GetMenuItemID(level, i));
                break;
            }
        }
        level = next;
    }
    if (id == 0)
        id = -1;  // the path ends at a submenu
    if (menu)
        DestroyMenu(menu);
    FreeLibrary(module);
    if (id < 0)
        Fail("no menu item \"" + path + "\" in " + exe);
    return id;
}

}  // namespace driver
