#include "widgets_win32.h"

#include <shellapi.h>

#include <algorithm>
#include <string>

#include "single_instance.h"
#include "tray_icon_rules.h"

namespace orvane {

namespace {

constexpr char kTrayWindowClass[] = "OrvaneTrayIconWindow";

int Width(const RECT& r) {
    return r.right - r.left;
}
int Height(const RECT& r) {
    return r.bottom - r.top;
}

std::string WindowsDirectory() {
    char buffer[MAX_PATH] = {};
    const UINT length = GetWindowsDirectoryA(buffer, MAX_PATH);
    return std::string(buffer, length < MAX_PATH ? length : 0);
}

std::string WindowTitle(HWND window) {
    char buffer[512] = {};
    const int length = GetWindowTextA(window, buffer, sizeof(buffer));
    return std::string(buffer, static_cast<std::size_t>(length > 0 ? length : 0));
}

}  // namespace

// --- IniProfileFile ---

IniProfileFile::IniProfileFile(std::string fileName) : fileName_(std::move(fileName)) {}

std::optional<std::string> IniProfileFile::ReadText(std::string_view section,
                                                    std::string_view key) const {
    char buffer[1024] = {};
    const DWORD length =
        GetPrivateProfileStringA(std::string(section).c_str(), std::string(key).c_str(), "", buffer,
                                 sizeof(buffer), fileName_.c_str());
    if (length == 0)
        return std::nullopt;
    return std::string(buffer, length);
}

bool IniProfileFile::WriteText(std::string_view section, std::string_view key,
                               std::string_view value) {
    return WritePrivateProfileStringA(std::string(section).c_str(), std::string(key).c_str(),
                                      std::string(value).c_str(), fileName_.c_str()) != FALSE;
}

// --- WindowPlacementStore ---

WindowPlacementStore::WindowPlacementStore(std::string_view iniFileName, std::string_view section,
                                           std::string_view formClass)
    : iniFileName_(iniFileName), section_(section), formClass_(formClass) {}

std::string WindowPlacementStore::FileName() const {
    return PlacementFileName(folder_.empty() ? WindowsDirectory() : folder_, iniFileName_);
}

void WindowPlacementStore::Restore(HWND window) const {
    const IniProfileFile file(FileName());
    Apply(window, ReadPlacement(file, section_, formClass_, Current(window)));
}

void WindowPlacementStore::Save(HWND window) const {
    IniProfileFile file(FileName());
    WritePlacement(file, section_, formClass_, Current(window));
}

namespace {

// GetWindowPlacement's rectangles are in workspace coordinates (the work area's origin at 0,0).
POINT WorkspaceOrigin(const RECT& bounds) {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (!GetMonitorInfoA(MonitorFromRect(&bounds, MONITOR_DEFAULTTONEAREST), &info))
        return {0, 0};
    return {info.rcWork.left - info.rcMonitor.left, info.rcWork.top - info.rcMonitor.top};
}

// A rectangle wholly off every monitor is moved into the nearest one's work area.
RECT OnScreen(RECT r) {
    if (MonitorFromRect(&r, MONITOR_DEFAULTTONULL) != nullptr)
        return r;
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (!GetMonitorInfoA(MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST), &info))
        return r;
    const RECT& work = info.rcWork;
    const LONG width = std::min(Width(r), Width(work));
    const LONG height = std::min(Height(r), Height(work));
    const LONG left = std::clamp(r.left, work.left, work.right - width);
    const LONG top = std::clamp(r.top, work.top, work.bottom - height);
    return {left, top, left + width, top + height};
}

}  // namespace

TWindowPlacement WindowPlacementStore::Current(HWND window) {
    // The normal rectangle, whatever the state: a minimised window's parked bounds and a
    // maximised one's screen are no place to come back to. Minimised is kept as normal.
    WINDOWPLACEMENT wp{};
    wp.length = sizeof(wp);
    GetWindowPlacement(window, &wp);
    RECT bounds = wp.rcNormalPosition;
    const POINT origin = WorkspaceOrigin(bounds);
    OffsetRect(&bounds, origin.x, origin.y);
    TWindowPlacement placement{bounds.left, bounds.top, Width(bounds), Height(bounds),
                               TWindowShowState::Normal};
    const bool zoomed =
        IsIconic(window) ? (wp.flags & WPF_RESTORETOMAXIMIZED) != 0 : IsZoomed(window) != FALSE;
    if (zoomed)
        placement.state = TWindowShowState::Maximized;
    return placement;
}

void WindowPlacementStore::Apply(HWND window, const TWindowPlacement& placement) {
    // The bounds become the normal ones and the state is taken with them. A hidden window
    // keeps them for its show; the state waits for a visible window.
    RECT bounds = OnScreen({placement.left, placement.top, placement.left + placement.width,
                            placement.top + placement.height});
    const POINT origin = WorkspaceOrigin(bounds);
    OffsetRect(&bounds, -origin.x, -origin.y);
    WINDOWPLACEMENT wp{};
    wp.length = sizeof(wp);
    GetWindowPlacement(window, &wp);
    wp.rcNormalPosition = bounds;
    switch (placement.state) {
        case TWindowShowState::Minimized:
            wp.showCmd = SW_SHOWMINIMIZED;
            break;
        case TWindowShowState::Maximized:
            wp.showCmd = SW_SHOWMAXIMIZED;
            break;
        case TWindowShowState::Normal:
            wp.showCmd = SW_SHOWNORMAL;
            break;
    }
    if (!IsWindowVisible(window))
        wp.showCmd = SW_HIDE;
    wp.flags = 0;
    SetWindowPlacement(window, &wp);
}

// --- SingleInstanceGuard ---

SingleInstanceGuard::~SingleInstanceGuard() {
    if (semaphore_)
        CloseHandle(semaphore_);
}

std::string SingleInstanceGuard::SemaphoreNameFor(const std::string& programPath) {
    // Others may read the program file but not write it while its date and size are taken.
    HANDLE file = CreateFileA(programPath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return {};
    FILETIME written{};
    LARGE_INTEGER size{};
    const bool ok = GetFileTime(file, nullptr, nullptr, &written) && GetFileSizeEx(file, &size);
    CloseHandle(file);
    if (!ok)
        return {};
    FILETIME local{};
    SYSTEMTIME when{};
    FileTimeToLocalFileTime(&written, &local);
    FileTimeToSystemTime(&local, &when);
    char date[128] = {};
    char time[128] = {};
    GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &when, nullptr, date, sizeof(date));
    GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &when, nullptr, time, sizeof(time));
    return InstanceSemaphoreName(ProgramFilePart(programPath), date, time,
                                 static_cast<std::uint64_t>(size.QuadPart));
}

HWND SingleInstanceGuard::CreateApplicationWindow(HINSTANCE instance,
                                                  std::string_view applicationTitle) {
    const std::string className(kApplicationWindowClass);
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = instance;
    wc.lpszClassName = className.c_str();
    RegisterClassA(&wc);  // a second call in one process fails harmlessly
    return CreateWindowExA(0, className.c_str(), ApplicationWindowTitle(applicationTitle).c_str(),
                           WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
}

void SingleInstanceGuard::SetMainWindow(HWND applicationWindow, HWND mainWindow) {
    SetWindowLongPtrA(applicationWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(mainWindow));
}

bool SingleInstanceGuard::Check(HWND applicationWindow) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return Check(applicationWindow, SemaphoreNameFor(path));
}

bool SingleInstanceGuard::Check(HWND applicationWindow, const std::string& semaphoreName) {
    HANDLE semaphore =
        CreateSemaphoreA(nullptr, 0, 1, semaphoreName.empty() ? nullptr : semaphoreName.c_str());
    if (!semaphore || GetLastError() != ERROR_ALREADY_EXISTS) {
        // The name lives as long as this process holds the handle.
        if (semaphore_)
            CloseHandle(semaphore_);
        semaphore_ = semaphore;
        return true;
    }
    CloseHandle(semaphore);
    const std::string className(kApplicationWindowClass);
    const std::string title = WindowTitle(applicationWindow);
    // The first match is normally our own window: hide its title for the second search.
    SetWindowTextA(applicationWindow,
                   ("OrvaneInstanceCheck" + std::to_string(GetCurrentProcessId())).c_str());
    HWND other = FindWindowA(className.c_str(), title.c_str());
    SetWindowTextA(applicationWindow, title.c_str());
    if (other) {
        // The running copy names its main window in its application window.
        HWND target = reinterpret_cast<HWND>(GetWindowLongPtrA(other, GWLP_USERDATA));
        if (!target)
            target = other;
        if (!IsWindowVisible(target)) {
            ShowWindow(target, SW_SHOW);
        } else if (IsIconic(target)) {
            ShowWindow(target, SW_SHOWNORMAL);
        }
        SetForegroundWindow(target);
    }
    return false;
}

// --- TrayIcon ---

TrayIcon::TrayIcon(HINSTANCE instance, HICON icon) : icon_(icon) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.lpszClassName = kTrayWindowClass;
    RegisterClassA(&wc);
    window_ = CreateWindowExA(0, kTrayWindowClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                              instance, this);
    // Explorer broadcasts this after a restart: its notification area starts empty.
    taskbarCreated_ = RegisterWindowMessageA("TaskbarCreated");
}

TrayIcon::~TrayIcon() {
    if (active_ && added_)
        Notify(NIM_DELETE);
    if (window_)
        DestroyWindow(window_);
}

void TrayIcon::SetActive(bool active) {
    if (active == active_)
        return;
    active_ = active;
    if (!active) {
        if (added_)
            Notify(NIM_DELETE);
        added_ = false;
        return;
    }
    added_ = Notify(NIM_ADD);
    if (tip_.empty())
        PostMessageA(window_, kTrayApplyTipMessage, 0, 0);
}

void TrayIcon::AddAgainIfMissing() {
    if (active_ && !added_)
        added_ = Notify(NIM_ADD);
}

void TrayIcon::SetIcon(HICON icon) {
    icon_ = icon;
    if (active_ && added_)
        Notify(NIM_MODIFY);
}

void TrayIcon::SetToolTip(std::string_view tip) {
    tip_ = TrayTip(tip, [](unsigned char c) { return IsDBCSLeadByte(c) != FALSE; });
    if (active_ && added_)
        Notify(NIM_MODIFY);
}

void TrayIcon::SetPopupMenu(HMENU menu, HWND menuOwner) {
    menu_ = menu;
    menuOwner_ = menuOwner;
}

bool TrayIcon::Notify(DWORD operation) {
    NOTIFYICONDATAA data{};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = window_;
    data.uID = 0;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = kTrayCallbackMessage;
    data.hIcon = icon_;
    tip_.copy(data.szTip, sizeof(data.szTip) - 1);
    lastOk_ = Shell_NotifyIconA(operation, &data) != FALSE;
    return lastOk_;
}

void TrayIcon::PopupAtCursor() {
    POINT cursor{};
    GetCursorPos(&cursor);
    if (menu_) {
        // The menu only closes on a click elsewhere when its owner is in the foreground.
        if (menuOwner_)
            SetForegroundWindow(menuOwner_);
        MSG pending;
        while (PeekMessageA(&pending, nullptr, 0, 0, PM_REMOVE)) {
            if (pending.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(pending.wParam));
                break;
            }
            TranslateMessage(&pending);
            DispatchMessageA(&pending);
        }
        TrackPopupMenu(menu_, TPM_LEFTALIGN | TPM_RIGHTBUTTON, cursor.x, cursor.y, 0,
                       menuOwner_ ? menuOwner_ : window_, nullptr);
        if (menuOwner_)
            PostMessageA(menuOwner_, WM_NULL, 0, 0);
    }
    if (onRightClick)
        onRightClick(cursor);
}

LRESULT TrayIcon::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kTrayApplyTipMessage) {
        if (active_ && added_)
            Notify(NIM_MODIFY);
        return 0;
    }
    if (message == taskbarCreated_ && taskbarCreated_ != 0) {
        if (active_)
            added_ = Notify(NIM_ADD);
        return 0;
    }
    if (message != kTrayCallbackMessage)
        return DefWindowProcA(window_, message, wParam, lParam);
    switch (TrayActionFor(static_cast<unsigned>(lParam))) {
        case TTrayAction::Click:
            if (onClick)
                onClick();
            break;
        case TTrayAction::DoubleClick:
            if (onDblClick)
                onDblClick();
            break;
        case TTrayAction::PopupMenu:
            PopupAtCursor();
            break;
        case TTrayAction::None:
            break;
    }
    return 0;
}

LRESULT CALLBACK TrayIcon::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<TrayIcon*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self || !self->window_)
        return DefWindowProcA(window, message, wParam, lParam);
    return self->HandleMessage(message, wParam, lParam);
}

}  // namespace orvane
