#include "recorder_window_win32.h"

#include <commctrl.h>

#include "command_rules.h"
#include "config_file.h"
#include "mixer_display.h"
#include "mixer_shortcut.h"
#include "resource.h"

namespace brevant {
namespace {

constexpr UINT_PTR kSplashTimerId = 1;

INT_PTR splashMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: {
            // The window takes the picture's size, whatever the dialog font makes of its units.
            RECT picture;
            GetWindowRect(GetDlgItem(dialog, IDC_SPLASH_PICTURE), &picture);
            RECT frame{0, 0, picture.right - picture.left, picture.bottom - picture.top};
            AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrA(dialog, GWL_STYLE)),
                               FALSE, 0);
            const int width = frame.right - frame.left;
            const int height = frame.bottom - frame.top;
            SetWindowPos(dialog, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                         (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, SWP_NOZORDER);
            SetTimer(dialog, kSplashTimerId, static_cast<UINT>(lParam), nullptr);
            return TRUE;
        }
        case WM_TIMER:
            if (wParam != kSplashTimerId)
                return FALSE;
            KillTimer(dialog, kSplashTimerId);
            EndDialog(dialog, 0);
            return TRUE;
        default:
            return FALSE;
    }
}

INT_PTR CALLBACK splashProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    return guardedDialog(nullptr, [&] { return splashMessage(dialog, message, wParam, lParam); });
}

void createToolBar(RecorderState& state) {
    const TBBUTTON buttons[] = {
        {2, IDM_NEW, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
        {3, IDM_OPEN, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
        {4, IDM_SAVE_AS, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
        {0, 0, TBSTATE_ENABLED, TBSTYLE_SEP, {}, 0, 0},
        {1, IDM_MIDI, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
        {5, IDM_PREFERENCES, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
        {0, 0, TBSTATE_ENABLED, TBSTYLE_SEP, {}, 0, 0},
        {0, IDM_HELP_CONTENTS, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
    };
    state.toolBar =
        CreateToolbarEx(state.main, WS_CHILD | WS_VISIBLE | TBSTYLE_TOOLTIPS, IDC_TOOLBAR, 8,
                        state.instance, IDB_TOOLBAR, buttons, static_cast<int>(std::size(buttons)),
                        40, 16, 40, 16, sizeof(TBBUTTON));
}

void layOutStatusBar(RecorderState& state) {
    if (state.statusBar == nullptr)
        return;
    SendMessageA(state.statusBar, WM_SIZE, 0, 0);
    RECT client;
    GetClientRect(state.main, &client);
    const std::array<int, 3> edges = statusPartEdges(client.right);
    SendMessageA(state.statusBar, SB_SETPARTS, edges.size(),
                 reinterpret_cast<LPARAM>(edges.data()));
}

// ---- handlers ----

LRESULT onCreate(RecorderState& state, HWND window) {
    if (state.options.splashMs > 0) {
        DialogBoxParamA(state.instance, MAKEINTRESOURCEA(IDD_SPLASH), window, splashProc,
                        state.options.splashMs);
    }
    HMENU system = GetSystemMenu(window, FALSE);
    AppendMenuA(system, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(system, MF_STRING, IDM_ABOUT, "About...");
    return 0;
}

LRESULT onSize(RecorderState& state) {
    if (state.toolBar != nullptr)
        SendMessageA(state.toolBar, TB_AUTOSIZE, 0, 0);
    layOutStatusBar(state);
    return 0;
}

LRESULT onNotify(NMHDR* header) {
    if (header->code != TTN_GETDISPINFOA)
        return 0;
    auto* tip = reinterpret_cast<NMTTDISPINFOA*>(header);
    if (const auto text = toolTipText(static_cast<int>(header->idFrom))) {
        lstrcpynA(tip->szText, text->c_str(), static_cast<int>(sizeof tip->szText));
        tip->lpszText = tip->szText;
    }
    return 0;
}

LRESULT onChar(RecorderState& state, LPARAM keyData) {
    char name[5] = "";
    GetKeyNameTextA(static_cast<LONG>(keyData), name, sizeof name);
    const auto shortcut = shortcutForKeyName(name[0]);
    if (!shortcut)
        return 0;
    ShortcutModifiers modifiers;
    modifiers.shift = GetKeyState(VK_SHIFT) < 0;
    modifiers.capsLock = (GetKeyState(VK_CAPITAL) & 1) != 0;
    modifiers.ctrl = GetKeyState(VK_CONTROL) < 0;
    modifiers.scrollLock = (GetKeyState(VK_SCROLL) & 1) != 0;
    applyShortcut(state.song(), *shortcut, modifiers);
    refreshMixer(state);
    if (state.transport)
        state.transport->recomputeGains();
    return 0;
}

void onInitMenu(RecorderState& state, HMENU menu) {
    const TransportState now = transportState(state);
    for (int command : {IDM_RENDER, IDC_ADDTRACK, IDC_REMOVETRACK}) {
        const bool on = commandEnabled(command, now);
        EnableMenuItem(menu, static_cast<UINT>(command),
                       MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
    }
}

LRESULT onSysCommand(RecorderState& state, HWND window, WPARAM wParam, LPARAM lParam) {
    // The system keeps its own commands' low four bits; the program's own item keeps its id.
    if (wParam == IDM_ABOUT) {
        aboutBox(state);
        return 0;
    }
    return DefWindowProcA(window, WM_SYSCOMMAND, wParam, lParam);
}

LRESULT onClose(RecorderState& state, HWND window) {
    if (state.transport)
        exitSequence(state);
    else
        DestroyWindow(window);
    return 0;
}

LRESULT onQueryEndSession(RecorderState& state) {
    if (!state.transport)
        return TRUE;
    return queryEndSession(state) ? TRUE : FALSE;
}

LRESULT onEndSession(RecorderState& state, bool ending) {
    if (state.transport)
        endSession(state, ending);
    else if (ending)
        closeWhenHandlersReturn(state);
    return 0;
}

// Commands from the menu and the tool bar are carried out by the mixer panel's
// command handler, called directly: a panel's own IDCANCEL is its Escape key,
// while the menu's command 2 is File > Exit.
LRESULT onCommand(RecorderState& state, WPARAM wParam) {
    if (state.transport)
        runCommand(state, LOWORD(wParam));
    return 0;
}

LRESULT handleMainMessage(RecorderState& state, HWND window, UINT message, WPARAM wParam,
                          LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            return onCreate(state, window);
        case WM_SIZE:
            return onSize(state);
        case WM_COMMAND:
            return onCommand(state, wParam);
        case WM_NOTIFY:
            return onNotify(reinterpret_cast<NMHDR*>(lParam));
        case WM_CHAR:
            return onChar(state, lParam);
        case WM_INITMENUPOPUP:
            onInitMenu(state, reinterpret_cast<HMENU>(wParam));
            return 0;
        case WM_SYSCOMMAND:
            return onSysCommand(state, window, wParam, lParam);
        case WM_CLOSE:
            return onClose(state, window);
        case WM_QUERYENDSESSION:
            return onQueryEndSession(state);
        case WM_ENDSESSION:
            return onEndSession(state, wParam != FALSE);
        case WM_HELP:  // F1 in a dialog or a box of the program comes up to its owner
            showHelp(state, IDR_HELP_CONTENTS);
            return TRUE;
        case kShowStopMessages:
            return showStopMessages(state);
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        // The window owns the state from here: its WM_NCDESTROY deletes it, however late
        // the creation fails.
        auto* owner = static_cast<std::unique_ptr<RecorderState>*>(
            reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        RecorderState* state = owner->release();
        state->main = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
        return DefWindowProcA(window, message, wParam, lParam);
    }
    auto* state = reinterpret_cast<RecorderState*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (state == nullptr)
        return DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        delete state;
        return DefWindowProcA(window, message, wParam, lParam);
    }
    const auto result = guarded(state, [&] {
        return std::optional<LRESULT>(handleMainMessage(*state, window, message, wParam, lParam));
    });
    return result ? *result : 0;
}

bool registerRecorderClass(HINSTANCE instance) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = mainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_BREVANT));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    windowClass.lpszMenuName = MAKEINTRESOURCEA(IDR_MAINMENU);
    windowClass.lpszClassName = kRecorderClassName;
    WNDCLASSA existing{};
    if (GetClassInfoA(instance, kRecorderClassName, &existing))
        return true;
    return RegisterClassA(&windowClass) != 0;
}

std::string fullPath(const std::string& path) {
    char full[MAX_PATH * 4] = "";
    const DWORD length = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
    if (length == 0 || length >= sizeof full)
        return path;
    return full;
}

}  // namespace

LRESULT showStopMessages(RecorderState& state) {
    const std::vector<std::string> messages = std::move(state.stopMessages);
    state.stopMessages.clear();
    for (const std::string& text : messages) showBox(state, state.main, text, nullptr);
    return 0;
}

RecorderState* recorderState(HWND main) {
    if (main == nullptr || !IsWindow(main))
        return nullptr;
    return reinterpret_cast<RecorderState*>(GetWindowLongPtrA(main, GWLP_USERDATA));
}

void showBox(RecorderState& state, HWND owner, const std::string& text, const char* caption,
             UINT type) {
    state.dialogs.messageBox(owner, text, caption, type);
}

void afterSongChange(RecorderState& state) {
    if (state.transport) {
        state.transport->recomputeGains();
        state.transport->computeSongLength();
    }
    refreshMixer(state);
}

HWND startRecorder(HINSTANCE instance, RecorderDialogs& dialogs, StartOptions options) {
    INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                  ICC_BAR_CLASSES | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    if (!registerRecorderClass(instance))
        return nullptr;
    // Every dialog may change the current folder: the files the program keeps and the
    // project named at start are fixed as full paths first.
    options.configPath = fullPath(options.configPath);
    if (!options.songPath.empty())
        options.songPath = fullPath(options.songPath);
    auto owned = std::make_unique<RecorderState>(instance, dialogs, std::move(options));
    HWND main = CreateWindowExA(0, kRecorderClassName, "Brevant",
                                WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 20, 20,
                                600, 400, nullptr, nullptr, instance, &owned);
    if (main == nullptr)
        return nullptr;  // a state the window took was deleted with it
    RecorderState* state = recorderState(main);
    ShowWindow(main, SW_SHOWMAXIMIZED);
    state->mixerPanel = CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_MIXER), main,
                                           mixerPanelProc, reinterpret_cast<LPARAM>(state));
    state->transportPanel = CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_TRANSPORT), main,
                                               transportPanelProc, reinterpret_cast<LPARAM>(state));
    if (state->mixerPanel == nullptr || state->transportPanel == nullptr) {
        DestroyWindow(main);
        return nullptr;
    }
    state->statusBar = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0,
                                       main, nullptr, instance, nullptr);
    createToolBar(*state);
    layOutStatusBar(*state);
    if (!state->options.songPath.empty())
        state->project.loadSong(state->options.songPath);
    afterSongChange(*state);
    SetFocus(main);
    return main;
}

void dispatchRecorderMessage(HWND main, MSG& message) {
    if (RecorderState* state = recorderState(main)) {
        if (message.message == WM_KEYDOWN && message.wParam == VK_F1) {
            showHelp(*state, IDR_HELP_CONTENTS);
            return;
        }
        for (HWND dialog : {state->mixerPanel, state->transportPanel, state->help}) {
            if (dialog != nullptr && IsDialogMessageA(dialog, &message))
                return;
        }
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
}

namespace {
// Messages of the program's own loop being handled now: above zero, a handler is on the stack
// (a box or a dialog runs its loop inside it) and the window must outlive it.
int handlersRunning = 0;
}  // namespace

void closeWhenHandlersReturn(RecorderState& state) {
    if (handlersRunning == 0) {
        DestroyWindow(state.main);
        return;
    }
    state.closeWhenIdle = true;
}

int runMessageLoop(HWND main) {
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        ++handlersRunning;
        dispatchRecorderMessage(main, message);
        --handlersRunning;
        if (const RecorderState* state = recorderState(main); state && state->closeWhenIdle)
            DestroyWindow(main);
    }
    return 0;
}

}  // namespace brevant
