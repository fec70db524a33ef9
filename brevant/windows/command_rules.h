// Which commands run in which transport state, and the wave editor's command
// line.
#pragma once

#include <string>

namespace brevant {

struct TransportState {
    bool playing = false;
    bool recording = false;
    bool midiPlaying = false;
    // A take stopped while the song still plays: it joins the song when playback stops.
    bool takeWaiting = false;
};

// Render reads every track from its own thread and must not race the live
// engines, so it waits until playback, recording and MIDI have stopped. Track
// Insert and Remove wait too: the running playback keeps its files and would
// take its gains from the changed track list.
bool commandEnabled(int command, TransportState state);

// New and Open stop the transport before their save prompt, so that a running
// or waiting take joins the song it was recorded for and is part of what the
// prompt saves, and so that nothing keeps playing the song they replace. Exit
// stops it first only for a take: with plain playback, Cancel in its prompt
// keeps the music going.
bool stopsTransportBeforePrompt(int command, TransportState state);

// "editor track": each part quoted when it holds a space, so the editor gets
// the track as one argument.
std::string editorCommandLine(const std::string& editorPath, const std::string& trackPath);

}  // namespace brevant
