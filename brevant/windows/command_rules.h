// Which commands run in which transport state, and the wave editor's command
// line.
#pragma once

#include <string>

namespace brevant {

struct TransportState {
    bool playing = false;
    bool recording = false;
    bool midiPlaying = false;
};

// Render reads every track from its own thread and must not race the live
// engines, so it waits until playback, recording and MIDI have stopped.
bool commandEnabled(int command, TransportState state);

// New, Open and Exit stop a running take before the save prompt, so the take
// is part of the song the user is asked to save.
bool stopsTakeBeforePrompt(int command, TransportState state);

// "editor track": each part quoted when it holds a space, so the editor gets
// the track as one argument.
std::string editorCommandLine(const std::string& editorPath, const std::string& trackPath);

}  // namespace brevant
