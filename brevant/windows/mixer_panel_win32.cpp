// The mixer panel: channel strips, selected-track controls, boost, the track
// list with Add and Remove. Its window receives the devices' notices and the
// display timer, and carries out every command.
#include "recorder_window_win32.h"

#include <commctrl.h>
#include <windowsx.h>

#include "command_rules.h"
#include "config_file.h"
#include "config_folders_win32.h"
#include "device_notices.h"
#include "mixer_display.h"
#include "resource.h"

namespace brevant {
namespace {

struct StripIds {
    int volume, pan, mute, volumeText, panText;
};

constexpr std::array<StripIds, kChannelStrips> kStrips = {{
    {IDC_STRIP0_VOLUME, IDC_STRIP0_PAN, IDC_STRIP0_MUTE, IDC_STRIP0_VOLTEXT, IDC_STRIP0_PANTEXT},
    {IDC_STRIP1_VOLUME, IDC_STRIP1_PAN, IDC_STRIP1_MUTE, IDC_STRIP1_VOLTEXT, IDC_STRIP1_PANTEXT},
    {IDC_STRIP2_VOLUME, IDC_STRIP2_PAN, IDC_STRIP2_MUTE, IDC_STRIP2_VOLTEXT, IDC_STRIP2_PANTEXT},
    {IDC_STRIP3_VOLUME, IDC_STRIP3_PAN, IDC_STRIP3_MUTE, IDC_STRIP3_VOLTEXT, IDC_STRIP3_PANTEXT},
}};

RecorderState* panelState(HWND panel) {
    return reinterpret_cast<RecorderState*>(GetWindowLongPtrA(panel, DWLP_USER));
}

void setSlider(HWND panel, int id, int position) {
    SendDlgItemMessageA(panel, id, TBM_SETPOS, TRUE, position);
}

void setRange(HWND panel, int id, int high) {
    SendDlgItemMessageA(panel, id, TBM_SETRANGEMIN, FALSE, 0);
    SendDlgItemMessageA(panel, id, TBM_SETRANGEMAX, TRUE, high);
}

void enableItem(HWND panel, int id, bool on) {
    EnableWindow(GetDlgItem(panel, id), on ? TRUE : FALSE);
}

void setCheck(HWND panel, int id, bool on) {
    CheckDlgButton(panel, id, on ? BST_CHECKED : BST_UNCHECKED);
}

LRESULT FormCreate(HWND panel, RecorderState& state) {
    SetWindowLongPtrA(panel, DWLP_USER, reinterpret_cast<LONG_PTR>(&state));
    state.mixerPanel = panel;
    state.dragCursor = LoadCursorA(state.instance, MAKEINTRESOURCEA(IDC_DRAGCURSOR));
    SystemConfigFolders folders;
    state.configPlace = chooseConfigPlace(state.options.configPath, folders);
    loadConfig(state.configPlace.readPath, state.song(), state.settings, state.songUi);
    if (!state.configPlace.notice.empty())
        state.songUi.showMessage(state.configPlace.notice, "Brevant");
    state.songUi.setTitle("Brevant - " + state.song().songPath);
    for (const StripIds& strip : kStrips) {
        setRange(panel, strip.volume, 100);
        setRange(panel, strip.pan, 200);
    }
    setRange(panel, IDC_SEL_VOLUME, 100);
    setRange(panel, IDC_SEL_PAN, 200);
    state.output = std::make_unique<WinmmWaveOut>(panel);
    state.input = std::make_unique<WinmmWaveIn>(panel);
    state.sequencer = std::make_unique<MciSequencer>(panel);
    state.transport = std::make_unique<Transport>(state.project, state.settings, state.view,
                                                  *state.output, *state.input, *state.sequencer);
    placePanel(state, panel, state.settings.mixerPos);
    ShowWindow(panel, SW_SHOW);
    return TRUE;
}

// After a change through a mixer control: the song is modified, the mixer
// shows it, the next buffers use the new gains, and the keys work again.
void mixerChanged(RecorderState& state) {
    state.song().modified = true;
    refreshMixer(state);
    state.transport->recomputeGains();
    SetFocus(state.main);
}

void onScroll(RecorderState& state, HWND slider, int code) {
    Song& song = state.song();
    const int id = GetDlgCtrlID(slider);
    const int position = static_cast<int>(SendMessageA(slider, TBM_GETPOS, 0, 0));
    const bool selectedActs =
        song.trackCount > 0 && selectedSliderActs(code) && song.currentTrack < kMaxTracks;
    if (id == IDC_SEL_VOLUME || id == IDC_SEL_PAN) {
        if (!selectedActs)
            return;
        Track& track = song.track(song.currentTrack);
        if (id == IDC_SEL_VOLUME)
            track.volume = static_cast<std::int16_t>(volumeFromSlider(position));
        else
            track.pan = static_cast<std::int16_t>(position);
    } else if (id == IDC_BOOST) {
        song.boost = boostFromSlider(position);
    } else {
        bool found = false;
        for (int k = 0; k < kChannelStrips; ++k) {
            const StripIds& strip = kStrips[static_cast<std::size_t>(k)];
            if (id == strip.volume)
                song.track(k).volume = static_cast<std::int16_t>(volumeFromSlider(position));
            else if (id == strip.pan)
                song.track(k).pan = static_cast<std::int16_t>(position);
            else
                continue;
            found = true;
        }
        if (!found)
            return;
    }
    mixerChanged(state);
}

void onMuteBox(RecorderState& state, int id) {
    Song& song = state.song();
    if (id == IDC_SEL_MUTE) {
        if (song.trackCount == 0)
            return;
        song.track(song.currentTrack).muted =
            IsDlgButtonChecked(state.mixerPanel, IDC_SEL_MUTE) == BST_CHECKED;
    } else {
        for (int k = 0; k < kChannelStrips && k < song.trackCount; ++k) {
            const int box = kStrips[static_cast<std::size_t>(k)].mute;
            song.track(k).muted = IsDlgButtonChecked(state.mixerPanel, box) == BST_CHECKED;
        }
    }
    mixerChanged(state);
}

void launchEditor(RecorderState& state) {
    if (state.song().trackCount == 0)
        return;  // a double click on the empty list is no request
    const int track = state.project.selectedTrack();
    if (track < 0)
        return;
    if (state.settings.editorPath.empty()) {
        showBox(state, state.mixerPanel, "No wave editor has been specified.", "Wave editor",
                MB_OK | MB_ICONERROR);
    } else {
        state.dialogs.startProcess(
            editorCommandLine(state.settings.editorPath, state.song().track(track).fileName));
    }
    refreshMixer(state);
}

LRESULT onCommand(RecorderState& state, int id, int code) {
    switch (id) {
        case IDC_SEL_MUTE:
        case IDC_STRIP0_MUTE:
        case IDC_STRIP1_MUTE:
        case IDC_STRIP2_MUTE:
        case IDC_STRIP3_MUTE:
            if (code == BN_CLICKED)
                onMuteBox(state, id);
            return TRUE;
        case IDC_TRACKLIST:
            if (code == LBN_SELCHANGE) {
                state.project.selectTrack();
                refreshMixer(state);
                SetFocus(state.main);
            } else if (code == LBN_DBLCLK) {
                launchEditor(state);
            }
            return TRUE;
        case IDOK:
        case IDCANCEL:  // Enter and Escape in the panel: not File > Exit
            return TRUE;
        default:
            runCommand(state, id);
            return TRUE;
    }
}

INT_PTR handleMixerMessage(RecorderState& state, HWND panel, UINT message, WPARAM wParam,
                           LPARAM lParam) {
    if (state.transport &&
        dispatchDeviceNotice(*state.transport, LiveDevices{*state.output, *state.input}, message,
                             wParam, lParam)) {
        return TRUE;
    }
    switch (message) {
        case WM_VSCROLL:
        case WM_HSCROLL:
            onScroll(state, reinterpret_cast<HWND>(lParam), LOWORD(wParam));
            return TRUE;
        case WM_COMMAND:
            return onCommand(state, LOWORD(wParam), HIWORD(wParam));
        case WM_LBUTTONDOWN:
            beginPanelDrag(state, panel, state.mixerDrag, lParam);
            return TRUE;
        case WM_MOUSEMOVE:
            movePanelDrag(state, panel, state.mixerDrag, state.settings.mixerPos, lParam);
            return TRUE;
        case WM_LBUTTONUP:
        case WM_CAPTURECHANGED:
            endPanelDrag(state.mixerDrag, panel);
            return TRUE;
        case WM_SETCURSOR:
            return setPanelDragCursor(state, panel, state.mixerDrag);
        default:
            return FALSE;
    }
}

}  // namespace

INT_PTR CALLBACK mixerPanelProc(HWND panel, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* created = reinterpret_cast<RecorderState*>(lParam);
        return guardedDialog(created, [&] { return FormCreate(panel, *created); });
    }
    RecorderState* state = panelState(panel);
    if (state == nullptr)
        return FALSE;
    const auto handled = guarded(state, [&] {
        return std::optional<INT_PTR>(handleMixerMessage(*state, panel, message, wParam, lParam));
    });
    return handled ? *handled : TRUE;
}

void refreshMixer(RecorderState& state) {
    HWND panel = state.mixerPanel;
    if (panel == nullptr)
        return;
    const MixerDisplay display = mixerDisplay(state.song(), state.settings);
    for (std::size_t k = 0; k < kStrips.size(); ++k) {
        const StripIds& ids = kStrips[k];
        const StripDisplay& strip = display.strips[k];
        for (int id : {ids.volume, ids.pan, ids.mute, ids.volumeText, ids.panText})
            enableItem(panel, id, strip.enabled);
        if (!strip.enabled)
            continue;
        setSlider(panel, ids.volume, strip.volumePosition);
        setSlider(panel, ids.pan, strip.panPosition);
        setCheck(panel, ids.mute, strip.muted);
        SetDlgItemTextA(panel, ids.volumeText, strip.volumeText.c_str());
        SetDlgItemTextA(panel, ids.panText, strip.panText.c_str());
    }
    const SelectedDisplay& selected = display.selected;
    for (int id : {IDC_SEL_VOLUME, IDC_SEL_VOLTEXT, IDC_SEL_PAN, IDC_SEL_PANTEXT, IDC_SEL_MUTE,
                   IDC_BOOST, IDC_BOOSTTEXT}) {
        enableItem(panel, id, selected.enabled);
    }
    if (selected.enabled) {
        setSlider(panel, IDC_SEL_VOLUME, selected.volumePosition);
        setSlider(panel, IDC_SEL_PAN, selected.panPosition);
        setCheck(panel, IDC_SEL_MUTE, selected.muted);
        setSlider(panel, IDC_BOOST, selected.boostPosition);
        SetDlgItemTextA(panel, IDC_SEL_VOLTEXT, selected.volumeText.c_str());
        SetDlgItemTextA(panel, IDC_SEL_PANTEXT, selected.panText.c_str());
        SetDlgItemTextA(panel, IDC_BOOSTTEXT, selected.boostText.c_str());
    }
    if (state.statusBar != nullptr) {
        RECT client;
        GetClientRect(state.main, &client);
        const std::array<int, 3> edges = statusPartEdges(client.right);
        SendMessageA(state.statusBar, SB_SETPARTS, edges.size(),
                     reinterpret_cast<LPARAM>(edges.data()));
        for (std::size_t part = 0; part < display.statusParts.size(); ++part) {
            SendMessageA(state.statusBar, SB_SETTEXTA, part,
                         reinterpret_cast<LPARAM>(display.statusParts[part].c_str()));
        }
    }
}

void beginPanelDrag(RecorderState& state, HWND panel, PanelDrag& drag, LPARAM lParam) {
    drag = {true, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    SetCapture(panel);
    SetCursor(state.dragCursor);
    SetFocus(state.main);
}

void movePanelDrag(RecorderState& state, HWND panel, PanelDrag& drag, PanelPosition& position,
                   LPARAM lParam) {
    if (!drag.dragging || GetCapture() != panel)
        return;
    position =
        draggedPanel(position, drag.grabX, drag.grabY, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    SetWindowPos(panel, nullptr, position.x, position.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    SetCursor(state.dragCursor);
}

// Ends on the button's release and on a capture taken away (a box, Alt+Tab),
// which sends no release.
void endPanelDrag(PanelDrag& drag, HWND panel) {
    if (!drag.dragging)
        return;
    drag.dragging = false;
    if (GetCapture() == panel)
        ReleaseCapture();
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
}

// The cursor is the panel's own during a drag, set per message: the class
// cursor is shared by every dialog of the process.
bool setPanelDragCursor(RecorderState& state, HWND panel, const PanelDrag& drag) {
    if (!drag.dragging)
        return false;
    SetCursor(state.dragCursor);
    SetWindowLongPtrA(panel, DWLP_MSGRESULT, TRUE);
    return true;
}

void placePanel(RecorderState& state, HWND panel, PanelPosition& position) {
    RECT area{};
    RECT size{};
    GetClientRect(state.main, &area);
    GetWindowRect(panel, &size);
    position = panelOnScreen(position, size.right - size.left, size.bottom - size.top, area.right,
                             area.bottom);
    SetWindowPos(panel, nullptr, position.x, position.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

}  // namespace brevant
