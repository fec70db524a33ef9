// Reads the song's tracks for playback and render: one block of every track per
// call (playback), or a piece of several blocks at once (render). Each track is
// read ahead several blocks at a time into a buffer of its own, allocated once
// (a read call per block costs more than the mixing itself); the samples handed
// out are exactly those of a read per block.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
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
    // `readAheadBlocks`: blocks read per call into each track's buffer;
    // `pieceBlocks`: the most blocks readBlocks hands out at once.
    explicit BlockReader(std::size_t readAheadBlocks = kReadAheadBlocks,
                         std::size_t pieceBlocks = 1);

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
    // The same for `blocks` blocks at once (at most pieceBlocks): every
    // track's samples() then hold blocks x 7680 frames, silence after its end.
    // `blocksWithData` receives how many of them hold data of some track (the
    // blocks one readBlock call each would have found data in); 0 is the end.
    Status readBlocks(const Song& song, int blocks, int& blocksWithData);

    // For the render, which reads each track once from start to end: the next
    // `blocks` blocks of every track read straight into `pieces[track]` (room
    // for `blocks` stereo blocks each), with no read-ahead. `samples[track]`
    // receives where the track's piece is: its own buffer, or silence (at most
    // pieceBlocks) for a muted or finished track. Touches no state that
    // mixInputs() reads, so another thread may mix the previous piece meanwhile.
    Status readPiece(const Song& song, int blocks,
                     const std::array<std::int16_t*, kMaxTracks>& pieces,
                     std::array<const std::int16_t*, kMaxTracks>& samples, int& blocksWithData);

    // Moves every track on by `blocks` blocks without reading them: the piece
    // another reader of the same song reads, when two read alternate pieces.
    Status skipPiece(int blocks);

    // No track had data at the last readBlock.
    bool endOfData() const { return endOfData_; }
    int trackCount() const { return count_; }
    // Format of the last track in the list: the output format.
    const WaveFormat& trackFormat() const { return trackFormat_; }
    std::uint64_t remainingBytes(int track) const {
        return remaining_[static_cast<std::size_t>(track)];
    }
    // The current block (or piece) of a track, valid until the next read.
    const std::int16_t* samples(int track) const { return block_[static_cast<std::size_t>(track)]; }

    // The unmuted tracks with their gains, ready for the mixer.
    std::span<const MixInput> mixInputs(const Song& song, const MixGains& gains);

    // The unmuted tracks of a piece read by readPiece, with their gains.
    std::span<const MixInput> mixInputs(const Song& song, const MixGains& gains,
                                        const std::array<const std::int16_t*, kMaxTracks>& samples,
                                        std::array<MixInput, kMaxTracks>& inputs) const;

    // Blocks read per call into each track's buffer, by default.
    static constexpr std::size_t kReadAheadBlocks = 8;

  private:
    // `blocks` held within 1..pieceBlocks.
    std::size_t clampBlocks(int blocks) const;
    // The bytes of one block of the track in `slot`.
    std::size_t blockBytes(std::size_t slot) const;
    // The bytes the track's next `blocks` blocks take of what remains of it.
    std::size_t nextBytes(std::size_t slot, std::size_t blocks) const;
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
    std::size_t readAhead_;
    std::size_t pieceBlocks_;
    std::size_t slotBytes_;
    // Per track slot: the read-ahead and a piece more in stereo blocks, so that
    // a short last piece can always be padded in place. 16-bit aligned, and
    // left untouched until read into (fresh pages are slow to touch twice).
    std::unique_ptr<std::int16_t[]> ahead_;
    std::vector<std::int16_t> silence_;
    WaveFormat trackFormat_;
    int count_ = 0;
    bool endOfData_ = true;
};

}  // namespace brevant
