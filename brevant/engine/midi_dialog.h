// The "MIDI Synchronization" dialog as data: what it shows when opened and
// what OK stores. The caller recomputes the song length after OK, which opens
// the new file once to measure it.
#pragma once

#include <string>

#include "song.h"
#include "status.h"

namespace brevant {

struct MidiDialogForm {
    std::string midiFile;          // field 1075
    std::string compensationText;  // field 1077, milliseconds, signed
};

MidiDialogForm openMidiDialog(const Song& song);

// OK: marks the song modified and stores both fields. Fails, storing
// nothing, when the path is too long for its field.
Status applyMidiDialog(const MidiDialogForm& form, Song& song);

constexpr const char* kMidiFileDialogTitle = "Open MIDI track:";

}  // namespace brevant
