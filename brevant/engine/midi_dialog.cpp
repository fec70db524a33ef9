#include "midi_dialog.h"

#include "preferences_form.h"

namespace brevant {

MidiDialogForm openMidiDialog(const Song& song) {
    return MidiDialogForm{song.midiFile, std::to_string(song.midiCompensationMs)};
}

Status applyMidiDialog(const MidiDialogForm& form, Song& song) {
    if (!fitsPathField(form.midiFile)) return Status::fail(pathTooLongMessage(form.midiFile));
    song.modified = true;
    song.midiFile = form.midiFile;
    // The field is read as a signed decimal number, 0 when it holds none.
    song.midiCompensationMs = parseCompensationText(form.compensationText);
    return Status::ok();
}

}  // namespace brevant
