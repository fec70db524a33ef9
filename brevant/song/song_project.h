// The song and the operations on it: New, Open, Save, Save As, the save prompt,
// adding, removing and selecting tracks. After every operation the caller
// recomputes the mix gains and the song length and refreshes the mixer.
#pragma once

#include <cstdint>
#include <string>

#include "song.h"
#include "status.h"
#include "song_ui.h"
#include "track_list_view.h"

namespace brevant {

// The checks a track file must pass to join the song: a RIFF WAVE file whose
// "fmt " chunk reads whole, 16 bits, mono or stereo, at the recording
// frequency. `channels` receives its channel count. Given `needsConversion`, a
// file of another sample format that converts to such a track (see
// checkConvertibleTrack) passes too, and is marked; another frequency is then
// refused naming both.
Status checkTrackFile(const std::string& path, std::uint32_t recordingFrequency,
                      std::int32_t& channels, bool& closeFailed, bool* needsConversion = nullptr);

class SongProject {
public:
    SongProject(SongUi& ui, TrackListView& list) : ui_(ui), list_(list) {}

    Song& song() { return song_; }
    const Song& song() const { return song_; }

    // File > New. Returns false when the user cancelled the save prompt.
    bool newSong();
    // File > Open: the save prompt, the open dialog, then the load.
    bool openSong();
    // Loads a project file. The song is replaced only when the file was read
    // whole; otherwise the message is shown and the song stays as it was.
    bool loadSong(const std::string& path);
    // File > Save (to songPath) and File > Save As (asks for the path first).
    bool saveSong();
    bool saveSongAs();
    // Saves to `path`, ".sng" appended unless present. The file is replaced only
    // once the new copy is complete. `modified` is cleared only on success.
    bool saveSongTo(const std::string& path);
    // The save prompt before New, Open and exit: false when the user cancels,
    // or when the save they asked for failed (their changes are not dropped).
    bool confirmDiscard();

    // Track > Insert: marks the song modified, asks for a file, adds it.
    bool insertTrack(std::uint32_t recordingFrequency);
    // Adds a file the user chose: a 16-bit track as addTrack does; a track of
    // another sample format is converted beside it first (the clipped samples
    // reported) and the copy is added. A stop or a failure adds nothing.
    bool insertTrackFile(const std::string& path, std::uint32_t recordingFrequency);
    // Validates a 16-bit PCM WAVE file at the recording frequency and appends
    // it; any refusal is shown and leaves the song unchanged.
    bool addTrack(const std::string& path, std::uint32_t recordingFrequency);
    bool removeSelectedTrack();
    // A selection change in the list: makes the matching track current.
    bool selectTrack();
    // The track whose entry is selected, or -1 (with the corruption warning
    // when the selection matches no track). Used by the wave editor launch.
    int selectedTrack();

    void setModified() { song_.modified = true; }

private:
    // The checks addTrack makes before the file's own.
    bool hasRoomFor(const std::string& path);
    // Refills the list from the tracks; the last track becomes current.
    void refillList();
    void showTitle();
    void error(const std::string& text) { ui_.showMessage(text, "Error"); }

    Song song_;
    SongUi& ui_;
    TrackListView& list_;
};

}  // namespace brevant
