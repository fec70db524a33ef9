// The window driver: starting a program, finding its windows and reading what they show.
#include "window_driver.h"

#include <commctrl.h>

#include <algorithm>
#include <sstream>

namespace driver {

namespace {

// The program whose windows a failure message lists (the one started last).
DWORD g_describedProcess = 0;

DWORD ProcessOf(HWND window) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return process;
}

std::string WithoutAmpersands(const std::string& text) {
    std::string plain;
    for (char c : text)
        if (c != '&')
            plain += c;
    return plain;
}

bool TitleOrClassMatches(HWND window, const std::string& classOrTitle) {
    if (ClassOf(window) == classOrTitle)
        return true;
    const std::string title = TextOf(window);
    return !classOrTitle.empty() && title.find(classOrTitle) != std::string::npos;
}

std::string Quoted(const std::string& text) {
    std::string shown = text.substr(0, 60);
    for (char& c : shown)
        if (c == '\r' || c == '\n')
            c = ' ';
    return "\"" + shown + (text.size() > 60 ? "...\"" : "\"");
}

void DescribeWindow(std::ostringstream& out, HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    out << "  window " << ClassOf(window) << " " << Quoted(TextOf(window))
        << (IsWindowVisible(window) ? " visible" : " hidden")
        << (IsWindowEnabled(window) ? "" : " disabled") << " at " << rect.left << "," << rect.top
        << " " << rect.right - rect.left << "x" << rect.bottom - rect.top << "\n";
    if (!IsWindowVisible(window))
        return;
    for (const Control& control : Controls(window)) {
        out << "    " << control.className << " id " << control.id << " " << Quoted(control.text)
            << (control.visible ? "" : " hidden") << (control.enabled ? "" : " disabled")
            << (control.checked ? " checked" : "") << (control.focused ? " focused" : "") << "\n";
    }
}

std::vector<HWND> TopLevelWindowsOf(DWORD process) {
    struct Search {
        DWORD process;
        std::vector<HWND> found;
    } search{process, {}};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            if (ProcessOf(window) == s->process)
                s->found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Memory in another process for messages whose pointers the system does not carry across.
class RemoteBuffer {
  public:
    RemoteBuffer(HWND window, size_t size) : size_(size) {
        process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE,
                               ProcessOf(window));
        if (!process_)
            Fail("could not open the process of a " + ClassOf(window) + " to read it");
        memory_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
        if (!memory_) {
            CloseHandle(process_);
            Fail("could not reserve memory in the process of a " + ClassOf(window));
        }
    }
    ~RemoteBuffer() {
        VirtualFreeEx(process_, memory_, 0, MEM_RELEASE);
        CloseHandle(process_);
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    char* At(size_t offset) const { return static_cast<char*>(memory_) + offset; }
    void Write(size_t offset, const void* bytes, size_t count) const {
        WriteProcessMemory(process_, At(offset), bytes, count, nullptr);
    }
    void Read(size_t offset, void* bytes, size_t count) const {
        ReadProcessMemory(process_, At(offset), bytes, count, nullptr);
    }

  private:
    HANDLE process_ = nullptr;
    void* memory_ = nullptr;
    size_t size_ = 0;
};

LRESULT Ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, kStepBound, &result))
        Fail("a " + ClassOf(window) + " did not answer message " + std::to_string(message));
    return static_cast<LRESULT>(result);
}

// Another process's list and combo box strings come back as UTF-16 under Wine, whichever
// kind of window the control is: ask for them as such and convert.
std::string ListString(HWND control, UINT lengthMessage, UINT textMessage, int index) {
    const auto length = Ask(control, lengthMessage, static_cast<WPARAM>(index), 0);
    if (length < 0)
        return {};
    std::wstring wide(static_cast<size_t>(length) + 1, L'\0');
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(control, textMessage, static_cast<WPARAM>(index),
                        reinterpret_cast<LPARAM>(wide.data()), SMTO_NORMAL, kStepBound, &ignored);
    wide.resize(wcslen(wide.c_str()));
    std::string narrow(wide.size() * 2 + 1, '\0');
    const int n =
        WideCharToMultiByte(CP_ACP, 0, wide.c_str(), static_cast<int>(wide.size()), narrow.data(),
                            static_cast<int>(narrow.size()), nullptr, nullptr);
    narrow.resize(static_cast<size_t>(std::max(n, 0)));
    return narrow;
}

std::string ListViewText(HWND listView, int row, int column) {
    constexpr size_t kTextSize = 1024;
    RemoteBuffer remote(listView, sizeof(LVITEMA) + kTextSize);
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = remote.At(sizeof(LVITEMA));
    item.cchTextMax = static_cast<int>(kTextSize);
    remote.Write(0, &item, sizeof item);
    Ask(listView, LVM_GETITEMTEXTA, static_cast<WPARAM>(row),
        reinterpret_cast<LPARAM>(remote.At(0)));
    char text[kTextSize] = {};
    remote.Read(sizeof(LVITEMA), text, kTextSize - 1);
    return text;
}

struct TreeNode {
    HTREEITEM item;
    int depth;
};

std::vector<TreeNode> TreeNodes(HWND tree) {
    std::vector<TreeNode> nodes;
    std::vector<TreeNode> pending;
    auto root = reinterpret_cast<HTREEITEM>(Ask(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
    std::vector<HTREEITEM> siblings;
    for (HTREEITEM item = root; item;
         item = reinterpret_cast<HTREEITEM>(
             Ask(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item))))
        siblings.push_back(item);
    for (auto it = siblings.rbegin(); it != siblings.rend(); ++it) pending.push_back({*it, 0});
    while (!pending.empty()) {
        TreeNode node = pending.back();
        pending.pop_back();
        nodes.push_back(node);
        siblings.clear();
        for (auto child = reinterpret_cast<HTREEITEM>(
                 Ask(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(node.item)));
             child; child = reinterpret_cast<HTREEITEM>(
                        Ask(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(child))))
            siblings.push_back(child);
        for (auto it = siblings.rbegin(); it != siblings.rend(); ++it)
            pending.push_back({*it, node.depth + 1});
    }
    return nodes;
}

TreeItem ReadTreeItem(HWND tree, const TreeNode& node) {
    constexpr size_t kTextSize = 1024;
    RemoteBuffer remote(tree, sizeof(TVITEMA) + kTextSize);
    TVITEMA item{};
    item.mask = TVIF_TEXT | TVIF_STATE | TVIF_HANDLE;
    item.hItem = node.item;
    item.stateMask = TVIS_SELECTED | TVIS_EXPANDED;
    item.pszText = remote.At(sizeof(TVITEMA));
    item.cchTextMax = static_cast<int>(kTextSize);
    remote.Write(0, &item, sizeof item);
    Ask(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(remote.At(0)));
    remote.Read(0, &item, sizeof item);
    char text[kTextSize] = {};
    remote.Read(sizeof(TVITEMA), text, kTextSize - 1);
    return {text, node.depth, (item.state & TVIS_SELECTED) != 0, (item.state & TVIS_EXPANDED) != 0};
}

}  // namespace

// --- Program ---------------------------------------------------------------------------------

Program::Program(HANDLE process, HANDLE thread, DWORD processId, DWORD threadId)
    : process_(process), thread_(thread), processId_(processId), threadId_(threadId) {}

Program::Program(Program&& other) noexcept
    : process_(other.process_),
      thread_(other.thread_),
      processId_(other.processId_),
      threadId_(other.threadId_) {
    other.process_ = nullptr;
    other.thread_ = nullptr;
}

Program::~Program() {
    if (!process_)
        return;
    Kill();
    CloseHandle(thread_);
    CloseHandle(process_);
}

Program Program::Start(const std::string& exe, const std::string& arguments,
                       const std::string& folder) {
    std::string commandLine = "\"" + exe + "\"" + (arguments.empty() ? "" : " " + arguments);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &started))
        throw StepFailed("could not start " + exe + " in " + folder + " (error " +
                         std::to_string(GetLastError()) + ")");
    g_describedProcess = started.dwProcessId;
    Program program(started.hProcess, started.hThread, started.dwProcessId, started.dwThreadId);
    WaitForInputIdle(started.hProcess, kStepBound);
    return program;
}

bool Program::WaitForExit(DWORD bound) {
    return WaitForSingleObject(process_, bound) == WAIT_OBJECT_0;
}

bool Program::Running() const {
    return WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

DWORD Program::ExitCode() const {
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    return code;
}

void Program::Kill() {
    if (Running()) {
        TerminateProcess(process_, 1);
        WaitForSingleObject(process_, kStepBound);
    }
}

void Program::WaitIdle(DWORD bound) const {
    WaitForInputIdle(process_, bound);
    // Each answered message lets the target's loop take one more posted message first: a run
    // of answers means what was posted before has been handled.
    const auto windows = TopLevelWindows();
    if (windows.empty())
        return;
    for (int round = 0; round < 8 && Running(); ++round) {
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(windows.front(), WM_NULL, 0, 0, SMTO_NORMAL, bound, &ignored);
    }
}

std::vector<HWND> Program::TopLevelWindows() const {
    return TopLevelWindowsOf(processId_);
}

HWND Program::Window(const std::string& classOrTitle, DWORD bound) const {
    HWND found = nullptr;
    WaitFor(
        "a visible window \"" + classOrTitle + "\"",
        [&] {
            for (HWND window : TopLevelWindows())
                if (IsWindowVisible(window) && TitleOrClassMatches(window, classOrTitle)) {
                    found = window;
                    return true;
                }
            return false;
        },
        bound);
    return found;
}

HWND Program::AnyWindow(const std::string& classOrTitle, DWORD bound) const {
    HWND found = nullptr;
    WaitFor(
        "a window \"" + classOrTitle + "\"",
        [&] {
            for (HWND window : TopLevelWindows())
                if (TitleOrClassMatches(window, classOrTitle)) {
                    found = window;
                    return true;
                }
            return false;
        },
        bound);
    return found;
}

bool Program::HasBox() const {
    for (HWND window : TopLevelWindows())
        if (ClassOf(window) == "#32770" && IsWindowVisible(window) && IsWindowEnabled(window))
            return true;
    return false;
}

HWND Program::Box(DWORD bound) const {
    HWND found = nullptr;
    WaitFor(
        "a message box or dialog",
        [&] {
            for (HWND window : TopLevelWindows())
                if (ClassOf(window) == "#32770" && IsWindowVisible(window) &&
                    IsWindowEnabled(window)) {
                    found = window;
                    return true;
                }
            return false;
        },
        bound);
    return found;
}

std::string Program::Describe() const {
    std::ostringstream out;
    out << "windows of process " << processId_ << (Running() ? "" : " (ended)") << ":\n";
    for (HWND window : TopLevelWindows()) DescribeWindow(out, window);
    return out.str();
}

// --- Looking ---------------------------------------------------------------------------------

std::string ClassOf(HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string TextOf(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, kStepBound, &length))
        return {};
    std::string text(length + 1, '\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                        SMTO_NORMAL, kStepBound, &copied);
    text.resize(strlen(text.c_str()));
    return text;
}

std::vector<Control> Controls(HWND window) {
    std::vector<HWND> children;
    EnumChildWindows(
        window,
        [](HWND child, LPARAM data) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(data)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&children));
    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &thread);
    std::vector<Control> controls;
    for (HWND child : children) {
        Control control;
        control.hwnd = child;
        control.className = ClassOf(child);
        control.id = GetDlgCtrlID(child);
        control.text = TextOf(child);
        control.visible = IsWindowVisible(child) != FALSE;
        control.enabled = IsWindowEnabled(child) != FALSE;
        control.style = GetWindowLongA(child, GWL_STYLE);
        control.checked = control.className == "Button" && IsChecked(child);
        control.focused = thread.hwndFocus == child;
        GetWindowRect(child, &control.rect);
        controls.push_back(control);
    }
    return controls;
}

HWND ControlById(HWND window, int id, DWORD bound) {
    HWND found = nullptr;
    WaitFor(
        "control id " + std::to_string(id) + " in " + ClassOf(window) + " " +
            Quoted(TextOf(window)),
        [&] {
            for (const Control& control : Controls(window))
                if (control.id == id) {
                    found = control.hwnd;
                    return true;
                }
            return false;
        },
        bound);
    return found;
}

HWND ControlByText(HWND window, const std::string& textOrClass, DWORD bound) {
    HWND found = nullptr;
    const std::string wanted = WithoutAmpersands(textOrClass);
    WaitFor(
        "control \"" + textOrClass + "\" in " + ClassOf(window) + " " + Quoted(TextOf(window)),
        [&] {
            for (const Control& control : Controls(window))
                if (WithoutAmpersands(control.text) == wanted || control.className == wanted) {
                    found = control.hwnd;
                    return true;
                }
            return false;
        },
        bound);
    return found;
}

HWND ControlByClass(HWND window, const std::string& className, int index, DWORD bound) {
    HWND found = nullptr;
    WaitFor(
        "control " + className + " #" + std::to_string(index) + " in " + Quoted(TextOf(window)),
        [&] {
            int seen = 0;
            for (const Control& control : Controls(window))
                if (control.className == className && seen++ == index) {
                    found = control.hwnd;
                    return true;
                }
            return false;
        },
        bound);
    return found;
}

std::vector<std::string> Items(HWND control, int column) {
    const std::string kind = ClassOf(control);
    std::vector<std::string> items;
    if (kind == "ListBox" || kind == "ComboLBox") {
        const auto count = Ask(control, LB_GETCOUNT, 0, 0);
        for (int i = 0; i < count; ++i)
            items.push_back(ListString(control, LB_GETTEXTLEN, LB_GETTEXT, i));
    } else if (kind == "ComboBox") {
        const auto count = Ask(control, CB_GETCOUNT, 0, 0);
        for (int i = 0; i < count; ++i)
            items.push_back(ListString(control, CB_GETLBTEXTLEN, CB_GETLBTEXT, i));
    } else if (kind == WC_LISTVIEWA) {
        const auto count = Ask(control, LVM_GETITEMCOUNT, 0, 0);
        for (int i = 0; i < count; ++i) items.push_back(ListViewText(control, i, column));
    } else if (kind == WC_TREEVIEWA) {
        for (const TreeItem& item : TreeItems(control)) items.push_back(item.text);
    } else {
        Fail("Items: a " + kind + " has no items the driver can read");
    }
    return items;
}

std::vector<TreeItem> TreeItems(HWND tree) {
    std::vector<TreeItem> items;
    for (const TreeNode& node : TreeNodes(tree)) items.push_back(ReadTreeItem(tree, node));
    return items;
}

int SelectedIndex(HWND control) {
    const std::string kind = ClassOf(control);
    if (kind == "ListBox" || kind == "ComboLBox")
        return static_cast<int>(Ask(control, LB_GETCURSEL, 0, 0));
    if (kind == "ComboBox")
        return static_cast<int>(Ask(control, CB_GETCURSEL, 0, 0));
    if (kind == WC_LISTVIEWA)
        return static_cast<int>(
            Ask(control, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    Fail("SelectedIndex: a " + kind + " has no selection the driver can read");
}

std::vector<int> SelectedRows(HWND listView) {
    std::vector<int> rows;
    for (int row = -1;;) {
        row = static_cast<int>(
            Ask(listView, LVM_GETNEXTITEM, static_cast<WPARAM>(row), LVNI_SELECTED));
        if (row < 0)
            return rows;
        rows.push_back(row);
    }
}

bool IsChecked(HWND button) {
    DWORD_PTR state = 0;
    SendMessageTimeoutA(button, BM_GETCHECK, 0, 0, SMTO_NORMAL, kStepBound, &state);
    return state == BST_CHECKED;
}

bool IsEnabled(HWND window) {
    return IsWindowEnabled(window) != FALSE;
}

bool IsVisible(HWND window) {
    return IsWindowVisible(window) != FALSE;
}

HWND FocusedControl(const Program& program) {
    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    HWND foreground = GetForegroundWindow();
    DWORD threadId = 0;
    if (foreground) {
        DWORD process = 0;
        threadId = GetWindowThreadProcessId(foreground, &process);
        if (process != program.Id())
            threadId = 0;
    }
    if (!threadId) {
        const auto windows = program.TopLevelWindows();
        if (windows.empty())
            return nullptr;
        threadId = GetWindowThreadProcessId(windows.front(), nullptr);
    }
    GetGUIThreadInfo(threadId, &thread);
    return thread.hwndFocus;
}

std::string BoxText(HWND box) {
    // A message box keeps its text in the static control with id 0xFFFF.
    for (const Control& control : Controls(box))
        if (control.className == "Static" && control.id == 0xFFFF)
            return control.text;
    for (const Control& control : Controls(box))
        if (control.className == "Static" && !control.text.empty())
            return control.text;
    return {};
}

WINDOWPLACEMENT PlacementOf(HWND window) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    GetWindowPlacement(window, &placement);
    return placement;
}

// --- Waiting and failing ---------------------------------------------------------------------

void PumpFor(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    do {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    } while (GetTickCount() - start < milliseconds);
}

std::string DescribeAll() {
    if (g_describedProcess) {
        std::ostringstream out;
        out << "windows of process " << g_describedProcess << ":\n";
        for (HWND window : TopLevelWindowsOf(g_describedProcess)) DescribeWindow(out, window);
        return out.str();
    }
    return "no program started";
}

void Fail(const std::string& what) {
    throw StepFailed(what + "\n" + DescribeAll());
}

}  // namespace driver
