// ".sng" project files. A file the reader accepts is written again from the song
// it gave and must read back to the same song.
#include <cstdint>
#include <vector>

#include "fuzz_temp_file.h"
#include "song_file.h"

using namespace brevant;

namespace {

bool sameContents(const SongFileContents& a, const SongFileContents& b)
{
    return a.midiFile == b.midiFile && a.compensation == b.compensation &&
           a.midiCompensationMs == b.midiCompensationMs && a.boost == b.boost && a.tracks == b.tracks;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::vector<std::uint8_t> bytes(data, data + size);
    SongFileContents contents;
    if (!readSongFile(bytes, contents)) return 0;
    FUZZ_CHECK(contents.tracks.size() <= static_cast<std::size_t>(kMaxTracks));

    Song song;
    song.midiFile = contents.midiFile;
    song.compensation = contents.compensation;
    song.midiCompensationMs = contents.midiCompensationMs;
    song.boost = contents.boost;
    song.trackCount = static_cast<std::int16_t>(contents.tracks.size());
    for (std::size_t i = 0; i < contents.tracks.size(); ++i) song.tracks[i] = contents.tracks[i];

    std::vector<std::uint8_t> written;
    const Status status = writeSongFile(song, written);
    FUZZ_CHECK(status);
    SongFileContents again;
    FUZZ_CHECK(readSongFile(written, again));
    FUZZ_CHECK(sameContents(again, contents));
    return 0;
}
