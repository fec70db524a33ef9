// The Win32 halves of the window widgets, called by the main window (Windows build only).
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <utility>

#include "window_placement.h"

namespace orvane {

// "Velmor.INI" in the Windows directory through GetPrivateProfileStringA (1024-byte buffer)
// and WritePrivateProfileStringA.
class IniProfileFile : public ProfileFile {
  public:
    explicit IniProfileFile(std::string fileName);
    std::optional<std::string> ReadText(std::string_view section,
                                        std::string_view key) const override;
    bool WriteText(std::string_view section, std::string_view key, std::string_view value) override;
    std::string FileName() const override { return fileName_; }

  private:
    std::string fileName_;
};

// TWinSaver: Restore after the form's own show handler, every time it is shown (call it once
// the window is visible: a hidden window keeps its bounds but not a stored state); Save
// after its own close handler (throws PlacementWriteError).
class WindowPlacementStore {
  public:
    explicit WindowPlacementStore(std::string_view iniFileName = kPlacementIniFileName,
                                  std::string_view section = kPlacementSection,
                                  std::string_view formClass = kMainFormClassName);
    // The folder of the INI file + its name; the folder is the Windows directory unless the
    // program keeps the file elsewhere (KeepIn), when the Windows directory cannot be written.
    std::string FileName() const;
    void KeepIn(std::string folder) { folder_ = std::move(folder); }
    void Restore(HWND window) const;
    void Save(HWND window) const;

    // The window's normal bounds (whatever its state, on the screen's coordinates) and state
    // (minimised counts as normal), and applying them (a rectangle off every monitor is
    // brought back onto the nearest).
    static TWindowPlacement Current(HWND window);
    static void Apply(HWND window, const TWindowPlacement& placement);

  private:
    std::string iniFileName_;
    std::string section_;
    std::string formClass_;
    std::string folder_;
};

// TPrevInst: the first copy keeps a named semaphore for its lifetime; a later copy brings
// the first one's application window forward and is told to end.
class SingleInstanceGuard {
  public:
    SingleInstanceGuard() = default;
    SingleInstanceGuard(const SingleInstanceGuard&) = delete;
    SingleInstanceGuard& operator=(const SingleInstanceGuard&) = delete;
    ~SingleInstanceGuard();

    // The semaphore name for a program file; empty when it cannot be opened.
    static std::string SemaphoreNameFor(const std::string& programPath);
    // The hidden top-level window of class "TApplication" titled with the application
    // title (cut after its last ":" or "\"); the second copy searches for it.
    static HWND CreateApplicationWindow(HINSTANCE instance, std::string_view applicationTitle);

    // Run before the main window's creation handler. True for the first copy. For a later
    // copy the running one is restored (minimised) or brought to the foreground, and
    // false is returned: the caller minimises its main window and posts the quit message.
    bool Check(HWND applicationWindow, const std::string& semaphoreName);
    bool Check(HWND applicationWindow);  // the name from this program's own file
    // Names the first copy's main window, which a later copy shows (when hidden in the tray),
    // restores (when minimised) or brings forward.
    static void SetMainWindow(HWND applicationWindow, HWND mainWindow);

  private:
    HANDLE semaphore_ = nullptr;
};

// TTrayIcon: the icon in the notification area with its own hidden message window.
// The callbacks run on the window thread; the menu's commands go to menuOwner.
class TrayIcon {
  public:
    TrayIcon(HINSTANCE instance, HICON icon);
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;
    ~TrayIcon();  // deletes the icon when active

    void SetActive(bool active);  // NIM_ADD / NIM_DELETE
    bool Active() const { return active_; }
    // NIM_ADD again while an active icon is not in the notification area (the shell was not
    // ready, or Explorer restarted); the main window calls it at every tick.
    void AddAgainIfMissing();
    bool Added() const { return added_; }
    void SetIcon(HICON icon);               // NIM_MODIFY when active
    void SetToolTip(std::string_view tip);  // NIM_MODIFY when active; cut to 62
    // The menu popped up at the cursor on a right click; its commands go to menuOwner,
    // which is brought to the foreground first.
    void SetPopupMenu(HMENU menu, HWND menuOwner);

    std::function<void()> onClick;
    std::function<void()> onDblClick;  // the main window's Restore
    std::function<void(POINT)> onRightClick;

    HWND MessageWindow() const { return window_; }
    // The last Shell_NotifyIconA result, for tests.
    bool LastCallSucceeded() const { return lastOk_; }
    const std::string& ToolTip() const { return tip_; }

  private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    bool Notify(DWORD operation);
    void PopupAtCursor();

    HWND window_ = nullptr;
    HICON icon_ = nullptr;
    HMENU menu_ = nullptr;
    HWND menuOwner_ = nullptr;
    std::string tip_;
    bool active_ = false;
    bool added_ = false;
    bool lastOk_ = false;
    UINT taskbarCreated_ = 0;
};

}  // namespace orvane
