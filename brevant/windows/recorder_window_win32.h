// The recorder's main window, its two panels and its dialogs: one state per
// main window, attached at WM_NCCREATE and owning the song, the settings, the
// device adapters and the transport.
#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "command_rules.h"
#include "config_place.h"
#include "mci_sequencer.h"
#include "recorder_dialogs_win32.h"
#include "recorder_settings.h"
#include "song_project.h"
#include "transport.h"
#include "winmm_wave_in.h"
#include "winmm_wave_out.h"

namespace brevant {

inline constexpr const char* kRecorderClassName = "MyWin";
// Posted to the main window: show the messages the stop left.
inline constexpr UINT kShowStopMessages = WM_APP + 10;

struct StartOptions {
    int splashMs = 1500;  // 0: no splash
    std::string configPath = "brevant.cfg";
    std::string songPath;  // a project to open at start, if any
};

struct RecorderState;

// The song's questions and file dialogs through the state's dialogs.
class WindowSongUi final : public SongUi {
  public:
    explicit WindowSongUi(RecorderState& state) : state_(state) {}
    void showMessage(const std::string& text, const std::string& caption) override;
    Answer askYesNoCancel(const std::string& text, const std::string& caption) override;
    std::optional<std::string> chooseFileToOpen(const std::string& title, FileKind kind) override;
    std::optional<std::string> chooseFileToSave(const std::string& title, FileKind kind) override;
    void setTitle(const std::string& title) override;
    TrackConversion convertTrack(const std::string& path, std::uint32_t frequency) override;

  private:
    RecorderState& state_;
};

// The mixer panel's track list box.
class ListBoxTracks final : public TrackListView {
  public:
    explicit ListBoxTracks(RecorderState& state) : state_(state) {}
    void clear() override;
    int add(const std::string& text) override;
    void select(int index) override;
    int selection() const override;

  private:
    RecorderState& state_;
};

// The panels as the live engines see them.
class PanelTransportView final : public TransportView {
  public:
    explicit PanelTransportView(RecorderState& state) : state_(state) {}
    void showMessage(const std::string& text, const std::string& caption) override;
    void showDefaultCaption(const std::string& text) override;
    void showWarning(const std::string& text, const std::string& caption) override;
    void enable(TransportControl control, bool on) override;
    void setText(TransportControl control, const std::string& text) override;
    void setPositionRange(int high) override;
    void setPosition(int seconds) override;
    void startDisplayTimer() override;
    void killDisplayTimer() override;
    void focusMainWindow() override;
    std::optional<std::string> chooseTakePath(const std::string& title,
                                              const std::string& initialPath) override;
    void songChanged() override;

  private:
    RecorderState& state_;
};

struct PanelDrag {
    bool dragging = false;
    int grabX = 0;
    int grabY = 0;
};

struct RecorderState {
    RecorderState(HINSTANCE program, RecorderDialogs& boxes, StartOptions start)
        : instance(program), dialogs(boxes), options(std::move(start)) {}
    RecorderState(const RecorderState&) = delete;
    RecorderState& operator=(const RecorderState&) = delete;

    HINSTANCE instance;
    RecorderDialogs& dialogs;
    StartOptions options;
    HWND main = nullptr;
    HWND mixerPanel = nullptr;
    HWND transportPanel = nullptr;
    HWND statusBar = nullptr;
    HWND toolBar = nullptr;
    HWND help = nullptr;
    HCURSOR dragCursor = nullptr;
    std::array<HBITMAP, 6> buttonPictures{};  // Play, Play down, rec, rec down, stop, stop down
    PanelDrag mixerDrag;
    PanelDrag transportDrag;
    // The stop's messages wait until the stop has run: the devices are quiet
    // by the time the box is up, so one failure shows one box.
    std::vector<std::string> stopMessages;
    // The session's end was agreed to and everything is saved: WM_ENDSESSION only closes.
    bool sessionSaved = false;
    // The session ended while a box or dialog was up: the loop closes the window once the
    // handler under it has returned.
    bool closeWhenIdle = false;

    RecorderSettings settings;
    // Where brevant.cfg is read and written: `options.configPath` while its folder can be
    // written, else the program's own folder; fixed when the mixer panel loads it.
    ConfigPlace configPlace;
    WindowSongUi songUi{*this};
    ListBoxTracks trackList{*this};
    PanelTransportView view{*this};
    SongProject project{songUi, trackList};
    // Created with the mixer panel, which receives their notices.
    std::unique_ptr<WinmmWaveOut> output;
    std::unique_ptr<WinmmWaveIn> input;
    std::unique_ptr<MciSequencer> sequencer;
    std::unique_ptr<Transport> transport;

    Song& song() { return project.song(); }
};

// Registers "MyWin", creates the main window with its panels, status bar and
// tool bar, and opens `options.songPath` when given. The state belongs to the
// window from then on. Null when the class or a window cannot be made.
HWND startRecorder(HINSTANCE instance, RecorderDialogs& dialogs, StartOptions options);
// One message of the loop: F1, both panels' and the help's dialog
// navigation, then the usual translation and dispatch.
void dispatchRecorderMessage(HWND main, MSG& message);
// The loop the program runs until the main window is gone.
int runMessageLoop(HWND main);
// The state behind a main window, or null.
RecorderState* recorderState(HWND main);

// ---- shared between the window's files ----
// The command table (recorder_commands_win32.cpp): menu, tool bar and panel commands.
void runCommand(RecorderState& state, int command);
TransportState transportState(RecorderState& state);
// File > Exit and the caption's close: the take, the save prompt, the configuration.
void exitSequence(RecorderState& state);
// Logoff or shutdown: the same path as Exit; false keeps the session (the user cancelled).
bool queryEndSession(RecorderState& state);
void endSession(RecorderState& state, bool ending);
// Destroys the main window now, or once the message being handled has returned.
void closeWhenHandlersReturn(RecorderState& state);
void aboutBox(RecorderState& state);
LRESULT showStopMessages(RecorderState& state);
void refreshMixer(RecorderState& state);
// After New, Open, Add, Remove: gains, song length, mixer.
void afterSongChange(RecorderState& state);
INT_PTR CALLBACK mixerPanelProc(HWND panel, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK transportPanelProc(HWND panel, UINT message, WPARAM wParam, LPARAM lParam);
void renderSong(RecorderState& state);
// Converts a track for Track > Insert in a progress dialog with STOP (recorder_convert_win32.cpp).
TrackConversion convertTrackWithProgress(RecorderState& state, const std::string& path,
                                         std::uint32_t frequency);
void preferencesDialog(RecorderState& state);
void midiDialog(RecorderState& state);
void showHelp(RecorderState& state, int topic);
std::optional<std::string> chooseFile(RecorderState& state, HWND owner, bool save,
                                      const std::string& title, FileKind kind,
                                      const std::string& initialPath = {});
// A dialog's field, as long as the file dialogs' paths.
std::string dialogText(HWND dialog, int id);
// The state a dialog of the program was given at WM_INITDIALOG (kept in DWLP_USER).
RecorderState* dialogState(HWND dialog, UINT message, LPARAM lParam);
void showBox(RecorderState& state, HWND owner, const std::string& text, const char* caption,
             UINT type = MB_OK);
// Panel dragging, for both panels.
void beginPanelDrag(RecorderState& state, HWND panel, PanelDrag& drag, LPARAM lParam);
void movePanelDrag(RecorderState& state, HWND panel, PanelDrag& drag, PanelPosition& position,
                   LPARAM lParam);
void endPanelDrag(PanelDrag& drag, HWND panel);
// The drag cursor while a panel is dragged; false when the panel is not dragged.
bool setPanelDragCursor(RecorderState& state, HWND panel, const PanelDrag& drag);
// A panel placed where the configuration holds it, brought back inside the main window when
// too little of it would show there.
void placePanel(RecorderState& state, HWND panel, PanelPosition& position);
// Runs a handler; a core error is shown with the program's text and the window stays usable.
template <typename Handler>
auto guarded(RecorderState* state, Handler handler) -> decltype(handler()) {
    try {
        return handler();
    } catch (const std::exception& error) {
        if (state != nullptr)
            showBox(*state, state->main, std::string("Unexpected error: ") + error.what(), "Error",
                    MB_OK | MB_ICONERROR);
    }
    return {};
}

// A dialog procedure inside the same boundary; `state` may still be null at WM_INITDIALOG.
template <typename Handler>
INT_PTR guardedDialog(RecorderState* state, Handler handler) {
    return guarded(state, [&]() -> INT_PTR { return handler(); });
}

}  // namespace brevant
