#include "song_length.h"

#include <algorithm>

#include "track_open_error.h"
#include "wave_file_reader.h"

namespace brevant {

std::int32_t trackSeconds(std::uint64_t dataBytes, std::uint32_t frameBytes, std::uint32_t frequency) {
    const std::uint64_t perSecond = std::uint64_t{frameBytes} * frequency;
    // A damaged format with no frame size or frequency would divide by zero.
    if (perSecond == 0) return 0;
    return static_cast<std::int32_t>(std::min<std::uint64_t>(dataBytes / perSecond, INT32_MAX));
}

SongLength computeSongLength(const Song& song, MidiLengthSource& midi) {
    SongLength result;
    const int count = std::clamp<int>(song.trackCount, 0, kMaxTracks);
    for (int i = 0; i < count; ++i) {
        WaveFileReader f;
        WaveOpenError e = f.open(song.track(i).fileName);
        if (e == WaveOpenError::None) e = f.findData();
        if (e != WaveOpenError::None) {
            result.status = Status::fail(trackOpenMessage(e));
            return result;
        }
        result.seconds =
            std::max(result.seconds, trackSeconds(f.dataSize(), f.format().frameBytes(), f.format().samplesPerSec));
    }
    result.seconds = std::max(result.seconds, song.midiFile.empty() ? 0 : midi.midiLengthSeconds(song.midiFile));
    return result;
}

}  // namespace brevant
