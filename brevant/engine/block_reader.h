// Reads the song's tracks block by block for playback and render: one block of
// every track per call. Each track is read ahead several blocks at a time into
// a buffer of its own, allocated once (a read call per block costs more than
// the mixing itself); the blocks handed out are exactly those of a read per block.
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

    // Moves every track on by one block (a muted track is skipped past,
    // unread when nothing of it is buffered). A block cut short by the end of
    // the data is padded with silence; a track with nothing left gives
    // silence. Fails on a read or seek error, which read-ahead may meet a few
    // blocks early.
    Status readBlock(const Song& song);

    // No track had data at the last readBlock.
    bool endOfData() const { return endOfData_; }
    int trackCount() const { return count_; }
    // Format of the last track in the list: the output format.
    const WaveFormat& trackFormat() const { return trackFormat_; }
    std::uint64_t remainingBytes(int track) const { return remaining_[static_cast<std::size_t>(track)]; }
    // The current block of a track: 7680 frames, valid until the next readBlock.
    const std::int16_t* samples(int track) const { return block_[static_cast<std::size_t>(track)]; }

    // The unmuted tracks with their gains, ready for the mixer.
    std::span<const MixInput> mixInputs(const Song& song, const MixGains& gains);

    // Blocks read per call into each track's buffer.
    static constexpr std::size_t kReadAheadBlocks = 8;

private:
    std::uint8_t* aheadBuffer(int track);
    // Makes `size` bytes of the track available at its buffer position.
    Status fill(int track, std::size_t size);

    std::array<WaveFileReader, kMaxTracks> files_;
    std::array<std::uint64_t, kMaxTracks> remaining_{};  // bytes of data not yet handed out
    std::array<std::uint64_t, kMaxTracks> unread_{};     // bytes of data not yet read from the file
    std::array<std::size_t, kMaxTracks> aheadPos_{};     // next byte to hand out
    std::array<std::size_t, kMaxTracks> aheadEnd_{};     // end of the bytes read ahead
    std::array<const std::int16_t*, kMaxTracks> block_{};
    std::array<bool, kMaxTracks> stereo_{};
    std::array<MixInput, kMaxTracks> inputs_{};
    // Per track slot: kReadAheadBlocks stereo blocks and one more, so that a
    // short last block can always be padded in place. 16-bit aligned.
    std::vector<std::int16_t> ahead_;
    std::vector<std::int16_t> silence_;
    WaveFormat trackFormat_;
    int count_ = 0;
    bool endOfData_ = true;
};

}  // namespace brevant
