// Drives a real program's windows from another process, as a person at the keyboard would.
// Windows only (runs under Wine in the tests). Every step waits, up to a bound, for what it
// needs (a window, a control, the target to be idle) and throws StepFailed saying what it
// looked for and what the program showed at that moment; no step sleeps a fixed time.
// Clicks and keys are posted or sent as input, never as a blocking SendMessage, so a step
// that opens a modal box in the target never holds the driver.
#pragma once

#include <windows.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace driver {

// How long a step waits for what it looks for, in milliseconds.
inline constexpr DWORD kStepBound = 30000;

// A step that could not be done: the message names the step and lists the program's windows.
class StepFailed : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// One control of a window, as a person sees it. `rect` is in screen coordinates.
struct Control {
    HWND hwnd = nullptr;
    std::string className;
    int id = 0;
    std::string text;
    bool visible = false;
    bool enabled = false;
    bool checked = false;  // buttons only
    bool focused = false;
    RECT rect{};
    LONG style = 0;
};

// One item of a tree view, in display order (depth 0 for roots).
struct TreeItem {
    std::string text;
    int depth = 0;
    bool selected = false;
    bool expanded = false;
};

// A program started for a scenario; ended (killed if need be) when this object goes.
class Program {
  public:
    // Starts `exe` with `arguments` in `folder` (both Windows paths). Throws StepFailed.
    static Program Start(const std::string& exe, const std::string& arguments,
                         const std::string& folder);
    Program(Program&& other) noexcept;
    Program& operator=(Program&&) = delete;
    Program(const Program&) = delete;
    ~Program();

    DWORD Id() const { return processId_; }
    // True once the process has ended within `bound`.
    bool WaitForExit(DWORD bound = kStepBound);
    bool Running() const;
    DWORD ExitCode() const;
    void Kill();

    // Waits until the program's threads wait for input with nothing queued.
    void WaitIdle(DWORD bound = kStepBound) const;

    // The visible top-level window whose class or title is `classOrTitle` (title: a part of it).
    HWND Window(const std::string& classOrTitle, DWORD bound = kStepBound) const;
    // The same, hidden windows included (a tray icon's window, a hidden main window).
    HWND AnyWindow(const std::string& classOrTitle, DWORD bound = kStepBound) const;
    // The newest visible, enabled dialog or message box (class #32770) of the program.
    HWND Box(DWORD bound = kStepBound) const;
    // Whether such a box is up now (no waiting).
    bool HasBox() const;
    // Top-level windows of the program (visible and hidden), newest first.
    std::vector<HWND> TopLevelWindows() const;
    // What the program shows: its top-level windows with their controls, for failure messages.
    std::string Describe() const;

  private:
    Program(HANDLE process, HANDLE thread, DWORD processId, DWORD threadId);
    HANDLE process_ = nullptr;
    HANDLE thread_ = nullptr;
    DWORD processId_ = 0;
    DWORD threadId_ = 0;
};

// --- Looking ---------------------------------------------------------------------------------
std::string ClassOf(HWND window);
std::string TextOf(HWND window);  // WM_GETTEXT, bounded
// Every descendant control of `window`, in Z order.
std::vector<Control> Controls(HWND window);
// The control with this id (or whose text or class is `textOrClass`, '&' ignored); waits.
HWND ControlById(HWND window, int id, DWORD bound = kStepBound);
HWND ControlByText(HWND window, const std::string& textOrClass, DWORD bound = kStepBound);
// The n-th (0-based) control of a class, in Z order (for controls without ids or texts).
HWND ControlByClass(HWND window, const std::string& className, int index = 0,
                    DWORD bound = kStepBound);
// Items of a list box, combo box, list view (one column) or tree view (labels, display order).
std::vector<std::string> Items(HWND control, int column = 0);
std::vector<TreeItem> TreeItems(HWND tree);
// The selected item's index (list box, combo box, list view), -1 for none.
int SelectedIndex(HWND control);
// All selected rows of a list view.
std::vector<int> SelectedRows(HWND listView);
bool IsChecked(HWND button);
bool IsEnabled(HWND window);
bool IsVisible(HWND window);
// The control that has the keyboard focus in the program's foreground thread.
HWND FocusedControl(const Program& program);
// The text of a message box (its static text), or of a dialog's first static control.
std::string BoxText(HWND box);
// Window placement of a top-level window as a person sees it.
WINDOWPLACEMENT PlacementOf(HWND window);

// Waits up to `bound` for `condition` to hold; throws StepFailed with `what` otherwise.
template <class Condition>
void WaitFor(const std::string& what, Condition condition, DWORD bound = kStepBound);

// --- Acting ----------------------------------------------------------------------------------
// Clicks a button (posted BM_CLICK), so a box it opens does not hold the driver.
void Click(HWND button);
void ClickButton(HWND window, const std::string& text);  // '&' ignored, case-sensitive
void ClickButton(HWND window, int id);
// A real mouse click at a point of a control's client area (SendInput).
void ClickAt(HWND control, POINT client, bool right = false, bool twice = false);
// Clicks the tool bar button of a command, where it is on screen.
void ClickToolButton(HWND toolBar, int commandId);
// Chooses a menu command by its id, as the menu does (posted WM_COMMAND).
void ChooseMenu(HWND window, int id);
// Chooses a menu command by its captions ("File>Exit"), read from the program's menu
// resource `menuName` (or its first menu when empty) in `exe`.
void ChooseMenu(HWND window, const std::string& exe, const std::string& path,
                const std::string& menuName = "");
int MenuIdFromResource(const std::string& exe, const std::string& path,
                       const std::string& menuName = "");
// Gives the keyboard focus to a control of the program (as a click into it would).
void Focus(HWND control);
// Types text into the focused control as keystrokes (the program's change notices fire).
void Type(HWND control, const std::string& text);
// Selects all of an edit's text (Ctrl+A where the edit supports it, EM_SETSEL otherwise),
// then types `text` over it.
void Retype(HWND edit, const std::string& text);
// Presses keys in the program's foreground window: "Tab", "Shift+Tab", "Enter", "Escape",
// "Alt+F4", "Ctrl+S", "F1", "Down", "Space", "Delete", a letter. Several: "Ctrl+A Delete".
void Press(HWND window, const std::string& keys);
// Selects a list box, combo box or list view row, or a tree view item by its label path
// ("Issue>Section>Article" or a plain label), by clicking it as a person would.
void Select(HWND control, int index);
void Select(HWND control, const std::string& text);
void DoubleClickItem(HWND control, int index);
// Answers the newest box of the program with the button of this text; returns the box's text.
std::string Answer(const Program& program, const std::string& buttonText, DWORD bound = kStepBound);
// A tray icon's callback: sends `callbackMessage` with the mouse message to the icon's
// window, as the notification area does ("left", "right", "double").
void TrayClick(HWND iconWindow, UINT callbackMessage, UINT iconId, const std::string& how);
// Chooses `commandId` from the popup menu the program has open (waits for it; the menu is
// closed as a person's choice closes it and the command goes to `owner`).
void ChoosePopup(const Program& program, HWND owner, int commandId);
void Minimise(HWND window);
void Maximise(HWND window);
void Restore(HWND window);
void Close(HWND window);  // the caption's close button (SC_CLOSE)
// Sends a message and waits for the answer (for messages a test sends on purpose, such as
// WM_QUERYENDSESSION); returns the result, or throws at the bound.
LRESULT SendBounded(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                    DWORD bound = kStepBound);

// --- Files, registry, screen -----------------------------------------------------------------
// A Windows path for a host (Unix) path: "/work/x" -> "Z:\work\x".
std::string HostPath(const std::string& unixPath);
bool FileExists(const std::string& path);
std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);
void CopyInto(const std::string& file, const std::string& folder);
// A fresh, empty folder (removed first if it exists).
void FreshFolder(const std::string& path);
std::vector<std::string> FilesIn(const std::string& folder);  // names only, sorted
// A registry string or number; `found` false when absent.
std::string RegistryString(HKEY root, const std::string& key, const std::string& value,
                           bool* found = nullptr);
DWORD RegistryNumber(HKEY root, const std::string& key, const std::string& value,
                     bool* found = nullptr);
std::string IniString(const std::string& file, const std::string& section, const std::string& key,
                      const std::string& fallback = "");
// Takes the write permission off a folder of the run (chmod a-w on the host side) and waits
// until a write there really fails: false when it never does, as when the scenario is not
// registered UNPRIVILEGED (root writes anyway). Only for folders inside the run's own prefix.
bool MakeUnwritable(const std::string& folder);
// The run's %APPDATA% folder, where programs keep what they cannot keep in their own place.
std::string AppDataFolder();
// Saves the whole screen as a BMP file.
bool SaveScreenshot(const std::string& path);

// --- Waiting (template) ----------------------------------------------------------------------
void PumpFor(DWORD milliseconds);  // the driver's own messages while it waits
[[noreturn]] void Fail(const std::string& what);
std::string DescribeAll();  // every top-level window of every process, for a failure

template <class Condition>
void WaitFor(const std::string& what, Condition condition, DWORD bound) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (condition())
            return;
        if (GetTickCount() - start >= bound)
            Fail("waited " + std::to_string(bound) + " ms for " + what);
        PumpFor(20);
    }
}

}  // namespace driver
