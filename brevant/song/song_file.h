// The ".sng" project file: the 256-byte MIDI path, three int32 and one 272-byte
// record per track, little-endian, no magic, no count.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "song.h"
#include "status.h"

namespace brevant {

constexpr std::size_t kSongHeaderBytes = 268;
constexpr std::size_t kTrackRecordBytes = 272;

// The song-wide values and tracks held in a project file.
struct SongFileContents {
    std::string midiFile;
    std::int32_t compensation = 0;
    std::int32_t midiCompensationMs = 0;
    std::int32_t boost = 0;
    std::vector<Track> tracks;  // at most 10
};

// Fails, without writing anything, when a text does not fit its 256-byte field.
Status writeSongFile(const Song& song, std::vector<std::uint8_t>& bytes);

// Reads the whole file image; a file cut inside its header or inside a track
// record is refused. Records beyond the tenth are ignored.
Status readSongFile(const std::vector<std::uint8_t>& bytes, SongFileContents& contents);

}  // namespace brevant
