// Reads the song's tracks block by block for playback and render: one block of
// every track per call into a work buffer per track, allocated once.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "block_size.h"
#include "mix_gains.h"
#include "mixer.h"
#include "song.h"
#include "status.h"
#include "wave_file_reader.h"

namespace brevant {

class BlockReader {
public:
    BlockReader();

    // Opens every track in use and places each at its start: `startSeconds`
    // into the file, and every track after the first `compensation` / 2
    // samples further, which takes the recording lag out of later takes. The
    // message names the first fault; on failure every track is closed again.
    Status open(const Song& song);
    void close();

    // Reads the next block of every track (a muted track is skipped past
    // instead). A block cut short by the end of the data is padded with
    // silence; a track with nothing left gives silence. Fails on a read or
    // seek error.
    Status readBlock(const Song& song);

    // No track had data at the last readBlock.
    bool endOfData() const { return endOfData_; }
    int trackCount() const { return count_; }
    // Format of the last track in the list: the output format.
    const WaveFormat& trackFormat() const { return trackFormat_; }
    std::uint64_t remainingBytes(int track) const { return remaining_[static_cast<std::size_t>(track)]; }
    const std::int16_t* samples(int track) const { return buffer(track); }

    // The unmuted tracks with their gains, ready for the mixer.
    std::span<const MixInput> mixInputs(const Song& song, const MixGains& gains);

private:
    std::int16_t* buffer(int track) const;

    std::array<WaveFileReader, kMaxTracks> files_;
    std::array<std::uint64_t, kMaxTracks> remaining_{};
    std::array<bool, kMaxTracks> stereo_{};
    std::array<MixInput, kMaxTracks> inputs_{};
    // One stereo block of room per track slot.
    mutable std::vector<std::int16_t> buffers_;
    WaveFormat trackFormat_;
    int count_ = 0;
    bool endOfData_ = true;
};

}  // namespace brevant
