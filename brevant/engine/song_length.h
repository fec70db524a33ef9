// The song's length in whole seconds: the longest track, or the MIDI file when
// it is longer.
#pragma once

#include <cstdint>
#include <string>

#include "song.h"
#include "status.h"

namespace brevant {

// The length of a MIDI file in whole seconds, 0 for an empty path. The
// sequencer supplies it in the program; the command-line companion has none.
class MidiLengthSource {
public:
    virtual ~MidiLengthSource() = default;
    virtual std::int32_t midiLengthSeconds(const std::string& path) = 0;
};

class NoMidiLength : public MidiLengthSource {
public:
    std::int32_t midiLengthSeconds(const std::string&) override { return 0; }
};

struct SongLength {
    Status status = Status::ok();  // the first track that could not be measured
    std::int32_t seconds = 0;      // songSeconds
};

// Every track is opened and its "data" chunk measured. A failure ends the
// computation; `seconds` then covers the tracks measured before it.
SongLength computeSongLength(const Song& song, MidiLengthSource& midi);

// Whole seconds of one track's data; 0 for a format without a frame size.
std::int32_t trackSeconds(std::uint64_t dataBytes, std::uint32_t frameBytes, std::uint32_t frequency);

}  // namespace brevant
