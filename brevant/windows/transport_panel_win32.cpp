// The transport panel (owner-drawn record and play buttons, time, lag and
// status fields, the position slider) and the panels as the engines see them.
#include "recorder_window_win32.h"

#include <commctrl.h>

#include "device_notices.h"

#include "resource.h"

namespace brevant {
namespace {

RecorderState* panelState(HWND panel) {
    return reinterpret_cast<RecorderState*>(GetWindowLongPtrA(panel, DWLP_USER));
}

LRESULT FormCreate(HWND panel, RecorderState& state) {
    SetWindowLongPtrA(panel, DWLP_USER, reinterpret_cast<LONG_PTR>(&state));
    state.transportPanel = panel;
    SetDlgItemTextA(panel, IDC_STATUS, "   ");
    placePanel(state, panel, state.settings.transportPos);
    const int pictures[] = {IDB_PLAY,     IDB_PLAY_DOWN, IDB_REC,
                            IDB_REC_DOWN, IDB_STOP,      IDB_STOP_DOWN};
    for (std::size_t i = 0; i < state.buttonPictures.size(); ++i) {
        state.buttonPictures[i] = LoadBitmapA(state.instance, MAKEINTRESOURCEA(pictures[i]));
    }
    ShowWindow(panel, SW_SHOW);
    return TRUE;
}

// Normal picture, or the second one when pressed or disabled.
LRESULT drawButton(RecorderState& state, const DRAWITEMSTRUCT& item) {
    std::size_t first = 4;
    if (item.CtlID == IDC_PLAY)
        first = 0;
    if (item.CtlID == IDC_REC)
        first = 2;
    const bool down = (item.itemState & (ODS_SELECTED | ODS_DISABLED)) != 0;
    HBITMAP picture = state.buttonPictures[first + (down ? 1 : 0)];
    HDC source = CreateCompatibleDC(item.hDC);
    HGDIOBJ old = SelectObject(source, picture);
    BITMAP size{};
    GetObjectA(picture, sizeof size, &size);
    const RECT& r = item.rcItem;
    StretchBlt(item.hDC, r.left, r.top, r.right - r.left, r.bottom - r.top, source, 0, 0,
               size.bmWidth, size.bmHeight, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
    if (item.itemState & ODS_FOCUS) {
        RECT focus = r;
        InflateRect(&focus, -3, -3);
        DrawFocusRect(item.hDC, &focus);
    }
    return TRUE;
}

INT_PTR handleTransportMessage(RecorderState& state, HWND panel, UINT message, WPARAM wParam,
                               LPARAM lParam) {
    switch (message) {
        case WM_DRAWITEM:
            return drawButton(state, *reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
        case WM_COMMAND:
            // Enter and Escape in the panel arrive as IDOK and IDCANCEL: not File > Exit.
            if (LOWORD(wParam) != IDOK && LOWORD(wParam) != IDCANCEL)
                runCommand(state, LOWORD(wParam));
            return TRUE;
        case WM_HSCROLL: {
            const int position =
                static_cast<int>(SendMessageA(reinterpret_cast<HWND>(lParam), TBM_GETPOS, 0, 0));
            state.transport->onPositionSlider(LOWORD(wParam), position);
            return TRUE;
        }
        case WM_LBUTTONDOWN:
            beginPanelDrag(state, panel, state.transportDrag, lParam);
            return TRUE;
        case WM_MOUSEMOVE:
            movePanelDrag(state, panel, state.transportDrag, state.settings.transportPos, lParam);
            return TRUE;
        case WM_LBUTTONUP:
        case WM_CAPTURECHANGED:
            endPanelDrag(state.transportDrag, panel);
            return TRUE;
        case WM_SETCURSOR:
            return setPanelDragCursor(state, panel, state.transportDrag);
        case WM_DESTROY:
            for (HBITMAP& picture : state.buttonPictures) {
                DeleteObject(picture);
                picture = nullptr;
            }
            return FALSE;
        default:
            return FALSE;
    }
}

HWND controlWindow(RecorderState& state, TransportControl control) {
    const bool onMixer =
        control == TransportControl::AddTrack || control == TransportControl::RemoveTrack;
    HWND panel = onMixer ? state.mixerPanel : state.transportPanel;
    return panel == nullptr ? nullptr : GetDlgItem(panel, static_cast<int>(control));
}

}  // namespace

INT_PTR CALLBACK transportPanelProc(HWND panel, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* created = reinterpret_cast<RecorderState*>(lParam);
        return guardedDialog(created, [&] { return FormCreate(panel, *created); });
    }
    RecorderState* state = panelState(panel);
    if (state == nullptr)
        return FALSE;
    const auto handled = guarded(state, [&] {
        return std::optional<INT_PTR>(
            handleTransportMessage(*state, panel, message, wParam, lParam));
    });
    return handled ? *handled : TRUE;
}

// ---- the panels for the engines ----

void PanelTransportView::showMessage(const std::string& text, const std::string& caption) {
    showBox(state_, state_.main, text, caption.c_str());
}

void PanelTransportView::showDefaultCaption(const std::string& text) {
    // Shown from the main window's queue once the stop has run; a box up while
    // the devices still return buffers would let every one of them fail again.
    for (const std::string& waiting : state_.stopMessages) {
        if (waiting == text)
            return;
    }
    state_.stopMessages.push_back(text);
    PostMessageA(state_.main, kShowStopMessages, 0, 0);
}

void PanelTransportView::showWarning(const std::string& text, const std::string& caption) {
    showBox(state_, state_.main, text, caption.c_str(), MB_OK | MB_ICONWARNING);
}

void PanelTransportView::enable(TransportControl control, bool on) {
    if (HWND item = controlWindow(state_, control))
        EnableWindow(item, on ? TRUE : FALSE);
}

void PanelTransportView::setText(TransportControl control, const std::string& text) {
    if (HWND item = controlWindow(state_, control))
        SetWindowTextA(item, text.c_str());
}

void PanelTransportView::setPositionRange(int high) {
    if (HWND slider = controlWindow(state_, TransportControl::Position)) {
        SendMessageA(slider, TBM_SETRANGEMIN, FALSE, 0);
        SendMessageA(slider, TBM_SETRANGEMAX, TRUE, high);
    }
}

void PanelTransportView::setPosition(int seconds) {
    if (HWND slider = controlWindow(state_, TransportControl::Position))
        SendMessageA(slider, TBM_SETPOS, TRUE, seconds);
}

void PanelTransportView::startDisplayTimer() {
    SetTimer(state_.mixerPanel, kDisplayTimerId, kDisplayTimerMs, nullptr);
}

void PanelTransportView::killDisplayTimer() {
    KillTimer(state_.mixerPanel, kDisplayTimerId);
}

void PanelTransportView::focusMainWindow() {
    SetFocus(state_.main);
}

std::optional<std::string> PanelTransportView::chooseTakePath(const std::string& title,
                                                              const std::string& initialPath) {
    return chooseFile(state_, state_.main, true, title, FileKind::Wave, initialPath);
}

void PanelTransportView::songChanged() {
    refreshMixer(state_);
}

}  // namespace brevant
