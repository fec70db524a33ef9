#include "piece_pipeline.h"

#include <exception>
#include <system_error>
#include <thread>

#include "block_size.h"
#include "mixer.h"

namespace brevant {

PiecePipeline::PiecePipeline(const std::array<BlockReader*, kReaders>& readers, const Song& song,
                             const MixGains& gains, int blocks)
    : readers_(readers), song_(song), gains_(gains), blocks_(blocks) {
    const std::size_t perTrack = static_cast<std::size_t>(blocks) * kStereoBlockBytes / 2;
    for (int r = 0; r < kReaders; ++r) {
        Buffers& b = buffers_[static_cast<std::size_t>(r)];
        // Not zeroed: fresh pages are slow to touch twice. The last track's
        // room holds the mix.
        b.storage.reset(new std::int16_t[perTrack * (kMaxTracks + 1)]);
        for (std::size_t t = 0; t < kMaxTracks; ++t) b.tracks[t] = b.storage.get() + t * perTrack;
        pieces_[static_cast<std::size_t>(r)].mixed = b.storage.get() + kMaxTracks * perTrack;
    }
}

void PiecePipeline::run(const Taker& take) {
    // An exception on either thread ends both and leaves run() once both are done.
    std::exception_ptr secondFailure;
    std::thread second;
    int stride = kReaders;
    try {
        second = std::thread([this, &take, &secondFailure] {
            try {
                produce(1, kReaders, take);
            } catch (...) {
                secondFailure = std::current_exception();
                end();
            }
        });
    } catch (const std::system_error&) {
        stride = 1;
    }
    try {
        produce(0, stride, take);
    } catch (...) {
        end();
        if (second.joinable())
            second.join();
        throw;
    }
    if (second.joinable())
        second.join();
    if (secondFailure)
        std::rethrow_exception(secondFailure);
}

void PiecePipeline::end() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        ended_ = true;
    }
    turnChanged_.notify_all();
}

void PiecePipeline::readAndMix(int reader) {
    const auto r = static_cast<std::size_t>(reader);
    BlockReader& from = *readers_[r];
    Buffers& b = buffers_[r];
    Piece& p = pieces_[r];
    p.status = from.readPiece(song_, blocks_, b.tracks, b.samples, p.blocks);
    if (!p.status || p.blocks == 0)
        return;
    std::array<MixInput, kMaxTracks> inputs{};
    mixStereo(from.mixInputs(song_, gains_, b.samples, inputs), gains_.mixDivisor, p.mixed,
              p.blocks * kBlockFrames);
}

// Reader r takes pieces r, r + stride, ... and skips the others' pieces.
void PiecePipeline::produce(int reader, int stride, const Taker& take) {
    const auto r = static_cast<std::size_t>(reader);
    Piece& piece = pieces_[r];
    for (int k = reader;; k += stride) {
        const int skips = k == reader ? reader : stride - 1;
        Status skipped = Status::ok();
        for (int i = 0; i < skips && skipped; ++i) skipped = readers_[r]->skipPiece(blocks_);
        if (skipped) {
            readAndMix(reader);
        } else {
            piece.status = skipped;
        }
        std::unique_lock<std::mutex> lock(mutex_);
        turnChanged_.wait(lock, [&] { return ended_ || turn_ == k; });
        if (ended_)
            return;
        // The other reader only waits for its turn meanwhile.
        lock.unlock();
        const bool more = take(piece);
        if (!more) {
            end();
            return;
        }
        lock.lock();
        ++turn_;
        lock.unlock();
        turnChanged_.notify_all();
    }
}

}  // namespace brevant
