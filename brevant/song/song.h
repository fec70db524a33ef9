// The song (project): up to 10 tracks and the song-wide values. One instance,
// owned by the main thread; the render worker reads it while the modal render
// dialog keeps everyone else from changing it.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "track.h"

namespace brevant {

constexpr int kMaxTracks = 10;
// Text fields of the project and configuration records are 256 bytes with a NUL.
constexpr std::size_t kMaxPathLength = 255;
constexpr const char* kNoName = "noname.sng";

struct Song {
    std::string midiFile;             // empty: no MIDI file
    std::int32_t compensation = 600;  // recording lag, in bytes of one 16-bit channel
    std::int32_t midiCompensationMs = 500;
    std::int32_t boost = 0;  // 0..100
    std::array<Track, kMaxTracks> tracks{};
    std::int16_t trackCount = 0;
    std::int16_t currentTrack = 0;
    std::string songPath = kNoName;
    bool modified = false;
    std::int32_t startSeconds = 0;  // playback and render start, whole seconds

    const Track& track(int i) const { return tracks[static_cast<std::size_t>(i)]; }
    Track& track(int i) { return tracks[static_cast<std::size_t>(i)]; }
};

// True when `path` names a track in use, compared without regard to case.
bool isInSong(const Song& song, const std::string& path);
// isInSong, or a track is the same file under another spelling ("./a.wav",
// a short name, another case on a case-insensitive disk).
bool namesTrackInSong(const Song& song, const std::string& path);

bool endsWithNoCase(const std::string& text, const std::string& suffix);
// `path` with `extension` appended unless it already ends in it (any case).
std::string withExtension(const std::string& path, const std::string& extension);

bool fitsPathField(const std::string& path);
std::string pathTooLongMessage(const std::string& path);

}  // namespace brevant
