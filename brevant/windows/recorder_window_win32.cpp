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

TransportState transportState(RecorderState& state) {
    if (!state.transport)
        return {};
    return {state.transport->playing(), state.transport->recording(),
            state.transport->midiPlaying()};
}

INT_PTR CALLBACK splashProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
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

LRESULT showStopMessages(RecorderState& state) {
    const std::vector<std::string> messages = std::move(state.stopMessages);
    state.stopMessages.clear();
    for (const std::string& text : messages) showBox(state, state.main, text, nullptr);
    return 0;
}

void exitSequence(RecorderState& state) {
    Transport& transport = *state.transport;
    if (stopsTakeBeforePrompt(IDM_EXIT, transportState(state)))
        transport.stopTransport(StopMode::Recording);
    if (!state.project.confirmDiscard())
        return;
    transport.stopTransport(StopMode::Playback);
    transport.stopTransport(StopMode::Recording);
    saveConfig(state.options.configPath, state.song(), state.settings, state.songUi);
    showStopMessages(state);  // the window will not see its queue again
    DestroyWindow(state.main);
}

void onInitMenu(RecorderState& state, HMENU menu) {
    const bool render = commandEnabled(IDM_RENDER, transportState(state));
    EnableMenuItem(menu, IDM_RENDER, MF_BYCOMMAND | (render ? MF_ENABLED : MF_GRAYED));
}

void aboutBox(RecorderState& state) {
    showBox(state, state.main,
            std::string("Brevant multitrack recorder\nVersion ") + TOOLKIT_VERSION, "About Brevant",
            MB_OK | MB_ICONINFORMATION);
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
            if ((wParam & 0xFFF0) == IDM_ABOUT) {
                aboutBox(state);
                return 0;
            }
            return DefWindowProcA(window, message, wParam, lParam);
        case WM_CLOSE:
            if (state.transport)
                exitSequence(state);
            else
                DestroyWindow(window);
            return 0;
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
        auto* state =
            static_cast<RecorderState*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
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

}  // namespace

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

void runCommand(RecorderState& state, int command) {
    Transport& transport = *state.transport;
    const TransportState now = transportState(state);
    if (!commandEnabled(command, now))
        return;
    if (stopsTakeBeforePrompt(command, now))
        transport.stopTransport(StopMode::Recording);
    switch (command) {
        case IDM_NEW:
            if (state.project.newSong())
                afterSongChange(state);
            break;
        case IDM_OPEN:
            if (state.project.openSong())
                afterSongChange(state);
            break;
        case IDM_SAVE:
            state.project.saveSong();
            break;
        case IDM_SAVE_AS:
            state.project.saveSongAs();
            break;
        case IDM_RENDER:
            renderSong(state);
            break;
        case IDM_EXIT:
            PostMessageA(state.main, WM_CLOSE, 0, 0);
            break;
        case IDC_ADDTRACK:
            state.project.insertTrack(state.settings.recordFormat.samplesPerSec);
            afterSongChange(state);
            break;
        case IDC_REMOVETRACK:
            state.project.removeSelectedTrack();
            afterSongChange(state);
            break;
        case IDC_REC:
            transport.recordCommand();
            break;
        case IDC_STOPREC:
            transport.stopTransport(StopMode::Recording);
            break;
        case IDC_STOPPLAY:
            transport.stopTransport(StopMode::Playback);
            break;
        case IDC_PLAY:
            if (!now.playing && !now.recording)
                transport.playCommand();
            break;
        case IDM_PREFERENCES:
            preferencesDialog(state);
            break;
        case IDM_MIDI:
            midiDialog(state);
            break;
        case IDM_HELP_CONTENTS:
            showHelp(state, IDR_HELP_CONTENTS);
            break;
        case IDM_HELP_KEYBOARD:
            showHelp(state, IDR_HELP_KEYBOARD);
            break;
        case IDM_ABOUT:
            aboutBox(state);
            break;
        default:
            break;
    }
}

HWND startRecorder(HINSTANCE instance, RecorderDialogs& dialogs, StartOptions options) {
    INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                  ICC_BAR_CLASSES | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    if (!registerRecorderClass(instance))
        return nullptr;
    auto* state = new RecorderState(instance, dialogs, std::move(options));
    HWND main = CreateWindowExA(0, kRecorderClassName, "Brevant",
                                WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 20, 20,
                                600, 400, nullptr, nullptr, instance, state);
    if (main == nullptr) {
        delete state;
        return nullptr;
    }
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

int runMessageLoop(HWND main) {
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) dispatchRecorderMessage(main, message);
    return 0;
}

}  // namespace brevant
