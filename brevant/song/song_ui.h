// What the song operations need from the user interface: message boxes, the
// save prompt, the file dialogs and the window title. The window implements it
// with Win32 dialogs; tests answer it from a script.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "message_sink.h"
#include "track_conversion.h"

namespace brevant {

enum class Answer { Yes, No, Cancel };

// The filter a file dialog offers (the second entry is preselected).
enum class FileKind { Wave, Project, Midi, Program };

class SongUi : public MessageSink {
public:
    virtual Answer askYesNoCancel(const std::string& text, const std::string& caption) = 0;
    // An existing file, or nothing when the user cancels.
    virtual std::optional<std::string> chooseFileToOpen(const std::string& title, FileKind kind) = 0;
    // A file to write (the dialog asks before overwriting), or nothing.
    virtual std::optional<std::string> chooseFileToSave(const std::string& title, FileKind kind) = 0;
    virtual void setTitle(const std::string& title) = 0;
    // Converts a track of another sample format to a 16-bit PCM file beside it (Track >
    // Insert). A window shows the progress with a way to stop; this one just converts.
    virtual TrackConversion convertTrack(const std::string& path, std::uint32_t frequency) {
        return convertTrackTo16Bit(path, frequency);
    }
};

}  // namespace brevant
