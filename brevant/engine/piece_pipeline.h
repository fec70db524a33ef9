// Reads, mixes and hands on the render's pieces in order, with two readers of
// the song taking alternate pieces on two threads: the caller's and one more.
//
// Copying the tracks out of the file cache is most of the render's work, and
// one processor's memory bandwidth bounds it: two processors share it. Each
// reader mixes the piece it read while it is still in its processor's cache,
// then waits its turn to hand it on, so that the pieces reach the taker in
// order and one at a time, and no third thread competes for the processors.
#pragma once

#include <array>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>

#include "block_reader.h"
#include "mix_gains.h"
#include "song.h"
#include "status.h"

namespace brevant {

class PiecePipeline {
  public:
    static constexpr int kReaders = 2;

    struct Piece {
        std::int16_t* mixed = nullptr;  // blocks x 7680 stereo frames
        int blocks = 0;                 // 0: the end
        Status status = Status::ok();   // a failed read or seek ends the run
    };
    // Called for every piece in order, the last one included (the end or a
    // failure); false ends the run.
    using Taker = std::function<bool(const Piece&)>;

    // Both readers are open on `song`, at its start.
    PiecePipeline(const std::array<BlockReader*, kReaders>& readers, const Song& song,
                  const MixGains& gains, int blocks);

    // Returns when the taker has said no; an exception the taker throws
    // leaves it once both readers have stopped. Without a second thread, the
    // first reader reads every piece.
    void run(const Taker& take);

  private:
    struct Buffers {
        std::unique_ptr<std::int16_t[]> storage;
        std::array<std::int16_t*, kMaxTracks> tracks{};
        std::array<const std::int16_t*, kMaxTracks> samples{};
    };

    void produce(int reader, int stride, const Taker& take);
    void end();
    void readAndMix(int reader);

    const std::array<BlockReader*, kReaders> readers_;
    const Song& song_;
    const MixGains& gains_;
    const int blocks_;
    std::array<Buffers, kReaders> buffers_;
    std::array<Piece, kReaders> pieces_;
    std::mutex mutex_;
    std::condition_variable turnChanged_;
    int turn_ = 0;  // the piece to hand on next
    bool ended_ = false;
};

}  // namespace brevant
