#include "tool_bar_dock_win32.h"

#include <windowsx.h>

#include <commctrl.h>

#include <exception>
#include <string>
#include <utility>

#include "command_table.h"
#include "main_commands_win32.h"

namespace orvane {
namespace {

constexpr const char* kFrameClass = "TOrvaneToolBarFrame";
constexpr DWORD kFrameStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
constexpr DWORD kFrameExStyle = WS_EX_TOOLWINDOW;
constexpr UINT_PTR kDragSubclass = 1;

// The docked bar as it stands now, on its side of the main window.
TToolBarState DockedPlacement(const TMainForm& form) {
    RECT bar;
    GetWindowRect(form.toolBar, &bar);
    MapWindowPoints(nullptr, form.window, reinterpret_cast<POINT*>(&bar), 2);
    TToolBarState state;
    state.align = form.toolBarAlign;
    state.top = bar.top;
    state.left = bar.left;
    state.width = bar.right - bar.left;
    state.height = bar.bottom - bar.top;
    return state;
}

void ShowError(TMainForm& form, const std::exception& error) {
    form.dialogs.Message(form.window, error.what(), MB_OK | MB_ICONERROR);
}

LRESULT FrameMessage(TMainForm& form, HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SIZE:
            if (form.toolBarFrame == frame)
                MoveWindow(form.toolBar, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
            return 0;
        case WM_MOVE: {
            RECT r;
            GetWindowRect(frame, &r);
            form.floatingAt = {r.left, r.top};
            return 0;
        }
        // The caption's double-click and the close box put the bar back: it is never lost.
        case WM_NCLBUTTONDBLCLK:
            if (wParam != HTCAPTION)
                break;
            DockToolBar(form);
            return 0;
        case WM_CLOSE:
            DockToolBar(form);
            return 0;
        case WM_COMMAND:
        case WM_NOTIFY:
            return SendMessageA(form.window, message, wParam, lParam);
        case WM_DESTROY:
            // With the main window at the end of the program: the bar goes with this window.
            if (form.toolBarFrame == frame)
                form.toolBarFrame = nullptr;
            return 0;
        default:
            break;
    }
    return DefWindowProcA(frame, message, wParam, lParam);
}

LRESULT CALLBACK FrameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        SetWindowLongPtrA(
            frame, GWLP_USERDATA,
            reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
        return DefWindowProcA(frame, message, wParam, lParam);
    }
    auto* form = reinterpret_cast<TMainForm*>(GetWindowLongPtrA(frame, GWLP_USERDATA));
    if (form == nullptr)
        return DefWindowProcA(frame, message, wParam, lParam);
    try {
        return FrameMessage(*form, frame, message, wParam, lParam);
    } catch (const std::exception& error) {
        ShowError(*form, error);
    }
    return 0;
}

bool RegisterFrameClass() {
    WNDCLASSA frameClass{};
    frameClass.lpfnWndProc = FrameProc;
    frameClass.hInstance = GetModuleHandleA(nullptr);
    frameClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    frameClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    frameClass.lpszClassName = kFrameClass;
    return RegisterClassA(&frameClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

// A position off every monitor (a screen that has gone) gives way to the fallback.
POINT OnScreen(POINT wanted, SIZE size, POINT fallback) {
    const RECT r{wanted.x, wanted.y, wanted.x + size.cx, wanted.y + size.cy};
    return MonitorFromRect(&r, MONITOR_DEFAULTTONULL) != nullptr ? wanted : fallback;
}

void PlaceFloating(TMainForm& form, POINT wanted, POINT fallback) {
    if (!RegisterFrameClass())
        return;
    // One row of every button, as thick as the docked bar.
    SIZE bar{};
    SendMessageA(form.toolBar, TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(&bar));
    if (bar.cx <= 0)
        bar.cx = static_cast<LONG>(kToolBarButtons.size()) * form.buttonSize;
    bar.cy = form.buttonSize + 6;
    RECT frame{0, 0, bar.cx, bar.cy};
    AdjustWindowRectEx(&frame, kFrameStyle, FALSE, kFrameExStyle);
    const SIZE size{frame.right - frame.left, frame.bottom - frame.top};
    const POINT at = OnScreen(wanted, size, fallback);
    HWND window = CreateWindowExA(kFrameExStyle, kFrameClass, std::string(kToolBarCaption).c_str(),
                                  kFrameStyle, at.x, at.y, size.cx, size.cy, form.window, nullptr,
                                  GetModuleHandleA(nullptr), &form);
    if (window == nullptr)
        return;
    form.toolBarFrame = window;
    form.toolBarFloating = true;
    form.floatingAt = at;
    SetParent(form.toolBar, window);
    RECT client;
    GetClientRect(window, &client);
    MoveWindow(form.toolBar, 0, 0, client.right, client.bottom, TRUE);
    // A window that starts hidden shows its floating bar when it shows.
    if (IsWindowVisible(form.window))
        ShowFloatingToolBar(form);
    LayOut(form);
}

// Dragging the bar's empty part (not a button) off its edge of the window floats it there.
LRESULT CALLBACK ToolBarDragProc(HWND bar, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                 DWORD_PTR data) {
    auto& form = *reinterpret_cast<TMainForm*>(data);
    switch (message) {
        case WM_LBUTTONDOWN: {
            POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            if (ToolBarFloating(form) || form.toolBarLocked ||
                SendMessageA(bar, TB_HITTEST, 0, reinterpret_cast<LPARAM>(&p)) >= 0) {
                break;
            }
            form.toolBarDragging = true;
            SetCapture(bar);
            SetCursor(LoadCursorA(nullptr, IDC_SIZEALL));
            return 0;
        }
        case WM_LBUTTONUP: {
            if (!std::exchange(form.toolBarDragging, false))
                break;
            if (GetCapture() == bar)
                ReleaseCapture();
            POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            ClientToScreen(bar, &p);
            RECT band;
            GetWindowRect(bar, &band);
            // A drop about the bar's own band is no drag: it stays where it is.
            InflateRect(&band, 0, band.bottom - band.top);
            if (!PtInRect(&band, p)) {
                try {
                    FloatToolBar(form, p);
                } catch (const std::exception& error) {
                    ShowError(form, error);
                }
            }
            return 0;
        }
        case WM_CAPTURECHANGED:
            form.toolBarDragging = false;
            break;
        case WM_NCDESTROY:
            RemoveWindowSubclass(bar, ToolBarDragProc, id);
            break;
        default:
            break;
    }
    return DefSubclassProc(bar, message, wParam, lParam);
}

}  // namespace

bool ToolBarFloating(const TMainForm& form) {
    return form.toolBarFloating;
}

void HookToolBarDrag(TMainForm& form) {
    SetWindowSubclass(form.toolBar, ToolBarDragProc, kDragSubclass,
                      reinterpret_cast<DWORD_PTR>(&form));
}

void FloatToolBar(TMainForm& form, POINT fallback) {
    if (ToolBarFloating(form) || form.toolBarLocked)
        return;
    form.toolBarDocked = DockedPlacement(form);
    int top = fallback.y;
    int left = fallback.x;
    ReadFloatingPosition(form.store, top, left);
    PlaceFloating(form, {left, top}, fallback);
}

void DockToolBar(TMainForm& form) {
    if (!ToolBarFloating(form) || form.toolBarFrame == nullptr)
        return;
    RECT r;
    GetWindowRect(form.toolBarFrame, &r);
    WriteFloatingPosition(form.store, r.top, r.left);
    form.toolBarFloating = false;
    HWND frame = std::exchange(form.toolBarFrame, nullptr);
    SetParent(form.toolBar, form.window);
    form.toolBarAlign = form.toolBarDocked.align == TToolBarAlign::Bottom ? TToolBarAlign::Bottom
                                                                          : TToolBarAlign::Top;
    DestroyWindow(frame);
    LayOut(form);
}

void LockToolBar(TMainForm& form, bool locked) {
    form.toolBarLocked = locked;
    if (locked)
        DockToolBar(form);
}

void ShowFloatingToolBar(TMainForm& form) {
    if (form.toolBarFrame != nullptr && !IsWindowVisible(form.toolBarFrame))
        ShowWindow(form.toolBarFrame, SW_SHOWNA);
}

void ReadToolBarPlacement(TMainForm& form) {
    HookToolBarDrag(form);
    TToolBarState current;
    current.align = form.toolBarAlign;
    current.height = form.buttonSize + 6;
    RECT client;
    GetClientRect(form.window, &client);
    current.width = client.right;
    RECT window;
    GetWindowRect(form.window, &window);
    current.floatLeft = window.left + 40;
    current.floatTop = window.top + 40;
    const TToolBarState stored = ReadToolBarState(form.store, current);
    // The bar spans the window's width along its edge; its thickness follows the buttons. Of
    // the sides, the top and the bottom edge fit the window; any other keeps the top.
    form.toolBarAlign =
        stored.align == TToolBarAlign::Bottom ? TToolBarAlign::Bottom : TToolBarAlign::Top;
    form.toolBarDocked = stored;
    form.toolBarDocked.align = form.toolBarAlign;
    // A bar kept floating floats again where it was, unless the options lock it.
    if (!stored.docked && !form.toolBarLocked) {
        PlaceFloating(form, {stored.floatLeft, stored.floatTop},
                      {current.floatLeft, current.floatTop});
    }
}

void WriteToolBarPlacement(TMainForm& form) {
    if (!ToolBarFloating(form)) {
        TToolBarState state = DockedPlacement(form);
        state.docked = true;
        WriteToolBarState(form.store, state);
        return;
    }
    // Floating: the docked placement it will take, and where it floats now, so that the next
    // start shows it there.
    if (form.toolBarFrame != nullptr) {
        RECT r;
        GetWindowRect(form.toolBarFrame, &r);
        form.floatingAt = {r.left, r.top};
    }
    TToolBarState state = form.toolBarDocked;
    state.docked = false;
    WriteToolBarState(form.store, state);
    WriteFloatingPosition(form.store, form.floatingAt.y, form.floatingAt.x);
}

}  // namespace orvane
