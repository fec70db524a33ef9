// The command table, by what the commands act on: the song project, the track
// list, the transport and the dialogs; and the ends of a session (Exit, logoff
// or shutdown).
#include "recorder_window_win32.h"

#include "command_rules.h"
#include "config_file.h"
#include "resource.h"

namespace brevant {
namespace {

// A running or waiting take joins the song it was recorded for before the
// prompt, which then offers to save it with the take; it never reaches the
// song that replaces this one.
void stopBeforePrompt(RecorderState& state, int command) {
    if (stopsTransportBeforePrompt(command, transportState(state)))
        state.transport->stopAndKeepTake();
}

bool runProjectCommand(RecorderState& state, int command) {
    switch (command) {
        case IDM_NEW:
            stopBeforePrompt(state, command);
            if (state.project.newSong())
                afterSongChange(state);
            return true;
        case IDM_OPEN:
            stopBeforePrompt(state, command);
            if (state.project.openSong())
                afterSongChange(state);
            return true;
        case IDM_SAVE:
            state.project.saveSong();
            return true;
        case IDM_SAVE_AS:
            state.project.saveSongAs();
            return true;
        case IDM_RENDER:
            renderSong(state);
            return true;
        case IDM_EXIT:
            PostMessageA(state.main, WM_CLOSE, 0, 0);
            return true;
        default:
            return false;
    }
}

// Add and Remove give the keyboard focus back to the main window: on the
// button, the space bar would click it again and the mixer keys would not work.
void AddBtnClick(RecorderState& state) {
    state.project.insertTrack(state.settings.recordFormat.samplesPerSec);
    afterSongChange(state);
    SetFocus(state.main);
}

void RemoveBtnClick(RecorderState& state) {
    state.project.removeSelectedTrack();
    afterSongChange(state);
    SetFocus(state.main);
}

bool runTrackCommand(RecorderState& state, int command) {
    switch (command) {
        case IDC_ADDTRACK:
            AddBtnClick(state);
            return true;
        case IDC_REMOVETRACK:
            RemoveBtnClick(state);
            return true;
        default:
            return false;
    }
}

bool runTransportCommand(RecorderState& state, int command, TransportState now) {
    Transport& transport = *state.transport;
    switch (command) {
        case IDC_REC:
            transport.recordCommand();
            return true;
        case IDC_STOPREC:
            transport.stopTransport(StopMode::Recording);
            return true;
        case IDC_STOPPLAY:
            transport.stopTransport(StopMode::Playback);
            return true;
        case IDC_PLAY:
            if (!now.playing && !now.recording)
                transport.playCommand();
            return true;
        default:
            return false;
    }
}

bool runDialogCommand(RecorderState& state, int command) {
    switch (command) {
        case IDM_PREFERENCES:
            preferencesDialog(state);
            return true;
        case IDM_MIDI:
            midiDialog(state);
            return true;
        case IDM_HELP_CONTENTS:
            showHelp(state, IDR_HELP_CONTENTS);
            return true;
        case IDM_HELP_KEYBOARD:
            showHelp(state, IDR_HELP_KEYBOARD);
            return true;
        case IDM_ABOUT:
            aboutBox(state);
            return true;
        default:
            return false;
    }
}

// The project's end as Exit and the session's end take it: a take joins its
// song, then the save prompt. False when the user cancelled.
bool closeProject(RecorderState& state) {
    stopBeforePrompt(state, IDM_EXIT);
    return state.project.confirmDiscard();
}

// Stops playback, then recording (a take's sizes are written as it closes),
// and writes the configuration.
void finishSession(RecorderState& state) {
    state.transport->stopTransport(StopMode::Playback);
    state.transport->stopTransport(StopMode::Recording);
    saveConfig(state.configPlace.writePath, state.song(), state.settings, state.songUi);
}

}  // namespace

TransportState transportState(RecorderState& state) {
    if (!state.transport)
        return {};
    const Transport& transport = *state.transport;
    return {transport.playing(), transport.recording(), transport.midiPlaying(),
            transport.takeWaiting()};
}

void runCommand(RecorderState& state, int command) {
    const TransportState now = transportState(state);
    if (!commandEnabled(command, now))
        return;
    if (runProjectCommand(state, command) || runTrackCommand(state, command) ||
        runTransportCommand(state, command, now)) {
        return;
    }
    runDialogCommand(state, command);
}

void exitSequence(RecorderState& state) {
    if (!closeProject(state))
        return;
    finishSession(state);
    showStopMessages(state);  // the window will not see its queue again
    DestroyWindow(state.main);
}

bool queryEndSession(RecorderState& state) {
    state.sessionSaved = false;
    if (!closeProject(state))
        return false;
    finishSession(state);
    state.sessionSaved = true;
    return true;
}

void endSession(RecorderState& state, bool ending) {
    if (!ending) {
        state.sessionSaved = false;  // the session goes on, and so does the program
        return;
    }
    // Without a query first (a forced end) the take is still finished and the settings kept.
    if (!state.sessionSaved)
        finishSession(state);
    // A box or dialog up now returns into a handler that still uses the window.
    closeWhenHandlersReturn(state);
}

void aboutBox(RecorderState& state) {
    showBox(state, state.main,
            std::string("Brevant multitrack recorder\nVersion ") + TOOLKIT_VERSION, "About Brevant",
            MB_OK | MB_ICONINFORMATION);
}

}  // namespace brevant
