// The window driver: what a person does (clicks, keys, menus, boxes, the tray).
#include "window_driver.h"
#include "window_driver_internal.h"

#include <commctrl.h>

#include <cstring>
#include <map>
#include <sstream>

namespace driver {

namespace {

// Keys and clicks sent as input reach the program after anything posted to it, so a step must
// know they were taken before it posts the next command. While the driver shares the program's
// input state, the state of a key changes only as the program takes that key's messages: its
// toggle bit flips at each press taken, its down bit clears when the release is taken.
//
// The driver stays attached to the thread it last acted on: detaching and attaching again
// between a focus change and the next key loses the shared state under Wine.
bool ShareInputWith(DWORD target) {
    static DWORD attached = 0;
    const DWORD own = GetCurrentThreadId();
    if (attached == target)
        return true;
    if (attached)
        AttachThreadInput(own, attached, FALSE);
    attached = AttachThreadInput(own, target, TRUE) ? target : 0;
    return attached != 0;
}

class InputTaken {
  public:
    explicit InputTaken(HWND window) : attached_(ShareInputWith(ThreadOf(window))) {}
    InputTaken(const InputTaken&) = delete;
    InputTaken& operator=(const InputTaken&) = delete;

    bool Toggled(WORD key) const { return (GetKeyState(key) & 1) != 0; }
    // Waits until `presses` presses of `key` sent after `toggledBefore` was read are taken, and
    // its release; gives up quietly when the program ends or stops taking input.
    void Wait(WORD key, bool toggledBefore, int presses, DWORD bound = kStepBound) const {
        if (!attached_)
            return;
        const bool expected = (presses % 2 == 1) ? !toggledBefore : toggledBefore;
        const DWORD start = GetTickCount();
        while (GetTickCount() - start < bound) {
            const SHORT state = GetKeyState(key);
            if (((state & 1) != 0) == expected && !(state & 0x8000))
                return;
            if (!GetWindowThreadProcessId(GetForegroundWindow(), nullptr))
                return;
            Sleep(5);
        }
    }

  private:
    bool attached_;
};

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
void PressChord(HWND window, const std::string& chord) {
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
    const InputTaken taken(window);
    const bool before = taken.Toggled(key);
    for (WORD modifier : modifiers) SendKey(modifier, false);
    SendKey(key, false);
    SendKey(key, true);
    for (auto it = modifiers.rbegin(); it != modifiers.rend(); ++it) SendKey(*it, true);
    taken.Wait(key, before, 1);
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

// Lets the target take what was posted to it before the next step looks: the target answers a
// sent message only between two posted ones, so each answer after the first means one more
// posted message handled. Input sent as keys or clicks comes after posted messages; the process
// is idle again once its main thread waits with nothing left to take.
void Settle(HWND window, int postedCount = 2) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (HANDLE handle = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, process)) {
        WaitForInputIdle(handle, kStepBound);
        CloseHandle(handle);
    }
    DWORD_PTR ignored = 0;
    for (int round = 0; round <= postedCount; ++round)
        if (!SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, kStepBound, &ignored))
            return;
}

RECT RemoteRect(HWND control, UINT message, WPARAM wParam, const RECT& in) {
    const RemoteBuffer remote(control, sizeof(RECT));
    remote.Write(0, &in, sizeof in);
    DWORD_PTR result = 0;
    SendMessageTimeoutA(control, message, wParam, reinterpret_cast<LPARAM>(remote.At(0)),
                        SMTO_NORMAL, kStepBound, &result);
    RECT out{};
    remote.Read(0, &out, sizeof out);
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
            const std::string text = TreeLabel(tree, sibling);
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
    // Ids repeat among a window's descendants (a file dialog's list view is also 1): the
    // button of that id, where there is one.
    for (const Control& control : Controls(window))
        if (control.id == id && control.className == "Button") {
            Click(control.hwnd);
            return;
        }
    Click(ControlById(window, id));
}

void ClickAt(HWND control, POINT client, bool right, bool twice) {
    BringForward(control);
    POINT screen = client;
    ClientToScreen(control, &screen);
    const DWORD down = right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
    const DWORD up = right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
    const WORD button = right ? VK_RBUTTON : VK_LBUTTON;
    const InputTaken taken(control);
    const bool before = taken.Toggled(button);
    MouseAt(screen, 0);
    for (int click = 0; click < (twice ? 2 : 1); ++click) {
        MouseAt(screen, down);
        MouseAt(screen, up);
    }
    // A control that follows the mouse in a loop of its own (a list's drag detection) may
    // leave the button's toggle as it was: the click's wait is short.
    taken.Wait(button, before, twice ? 2 : 1, 2000);
    Settle(control);
}

void ClickToolButton(HWND toolBar, int commandId) {
    DWORD_PTR index = 0;
    SendMessageTimeoutA(toolBar, TB_COMMANDTOINDEX, static_cast<WPARAM>(commandId), 0, SMTO_NORMAL,
                        kStepBound, &index);
    const RECT rect = RemoteRect(toolBar, TB_GETITEMRECT, index, RECT{});
    if (static_cast<int>(index) < 0 || rect.right <= rect.left)
        Fail("no tool bar button for command " + std::to_string(commandId));
    ClickAt(toolBar, Centre(rect));
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
    const DWORD target = ThreadOf(control);
    ShareInputWith(target);
    SetFocus(control);
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    WaitFor("the focus on a " + ClassOf(control), [&] {
        GetGUIThreadInfo(target, &info);
        return info.hwndFocus == control || IsChild(control, info.hwndFocus);
    });
}

void Type(HWND control, const std::string& text) {
    Focus(control);
    // Characters go to the control that took the focus (a combo box's edit), posted in order,
    // so a command posted after them finds the whole text; the control's change notices
    // fire for each as they do for a person's typing.
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(ThreadOf(control), &info);
    HWND target = info.hwndFocus ? info.hwndFocus : control;
    for (char c : text) PostMessageA(target, WM_CHAR, static_cast<unsigned char>(c), 1);
    Settle(target, static_cast<int>(text.size()) + 2);
}

void Retype(HWND edit, const std::string& text) {
    Focus(edit);
    DWORD_PTR result = 0;
    // A combo box passes the selection on to its edit.
    const UINT select = ClassOf(edit) == "ComboBox" ? CB_SETEDITSEL : EM_SETSEL;
    SendMessageTimeoutA(edit, select, 0, select == CB_SETEDITSEL ? MAKELPARAM(0, -1) : -1,
                        SMTO_NORMAL, kStepBound, &result);
    if (text.empty()) {
        PressChord(edit, "Delete");
        Settle(edit);
    } else {
        Type(edit, text);
    }
}

void Press(HWND window, const std::string& keys) {
    BringForward(window);
    std::stringstream chords(keys);
    for (std::string chord; chords >> chord;) {
        // Keys go to the program's foreground window: a box opened by the previous key, say.
        HWND foreground = GetForegroundWindow();
        PressChord(foreground ? foreground : window, chord);
    }
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
