#include "song_renderer.h"

#include <algorithm>
#include <array>
#include <bit>
#include <condition_variable>
#include <cstdio>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>

#include "block_size.h"
#include "file_replace.h"
#include "mix_gains.h"
#include "mixer.h"
#include "system_path.h"
#include "wave_file_writer.h"
#include "wave_output.h"

namespace brevant {

namespace {

bool writeSamples(WaveFileWriter& out, std::int16_t* samples, std::size_t count) {
    if constexpr (std::endian::native == std::endian::big) {
        for (std::size_t i = 0; i < count; ++i) {
            const auto u = static_cast<std::uint16_t>(samples[i]);
            samples[i] = static_cast<std::int16_t>(static_cast<std::uint16_t>((u >> 8) | (u << 8)));
        }
    }
    return out.write(samples, count * 2);
}

// Reads and mixes the render's pieces on a thread of its own, ahead of the
// writing, into a ring of four sets of buffers: the tracks are mixed on the
// processor that read them (while still in its cache), the writing overlaps,
// and neither side waits (and switches threads) at every piece. Without a
// thread it reads and mixes in next().
class PieceReadAhead {
  public:
    struct Piece {
        std::array<const std::int16_t*, kMaxTracks> samples{};
        std::int16_t* mixed = nullptr;  // blocks x 7680 stereo frames
        int blocks = 0;                 // 0: the end
        Status status = Status::ok();
    };

    PieceReadAhead(BlockReader& reader, const Song& song, const MixGains& gains, int blocks)
        : reader_(reader), song_(song), gains_(gains), blocks_(blocks) {
        const std::size_t perTrack = static_cast<std::size_t>(blocks) * kStereoBlockBytes / 2;
        for (int set = 0; set < kSets; ++set) {
            // Not zeroed: fresh pages are slow to touch twice. The last
            // track's room holds the mix.
            storage_[set].reset(new std::int16_t[perTrack * (kMaxTracks + 1)]);
            pieces_[set].mixed = storage_[set].get() + kMaxTracks * perTrack;
            for (std::size_t t = 0; t < kMaxTracks; ++t)
                buffers_[set][t] = storage_[set].get() + t * perTrack;
        }
        try {
            thread_ = std::thread([this] { produce(); });
        } catch (const std::system_error&) {
            threaded_ = false;
        }
    }
    ~PieceReadAhead() {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            quit_ = true;
        }
        changed_.notify_all();
        if (thread_.joinable())
            thread_.join();
    }
    PieceReadAhead(const PieceReadAhead&) = delete;
    PieceReadAhead& operator=(const PieceReadAhead&) = delete;

    // The next piece; valid until the following call.
    const Piece& next() {
        const int set = taken_ % kSets;
        if (!threaded_) {
            read(set);
            ++taken_;
            return pieces_[set];
        }
        std::unique_lock<std::mutex> lock(mutex_);
        if (taken_ > 0)
            full_[(taken_ - 1) % kSets] = false;  // the previous piece is mixed
        changed_.notify_all();
        changed_.wait(lock, [&] { return full_[set]; });
        ++taken_;
        return pieces_[set];
    }

  private:
    void read(int set) {
        Piece& p = pieces_[set];
        p.status = reader_.readPiece(song_, blocks_, buffers_[set], p.samples, p.blocks);
        if (!p.status || p.blocks == 0)
            return;
        mixStereo(reader_.mixInputs(song_, gains_, p.samples, inputs_), gains_.mixDivisor, p.mixed,
                  p.blocks * kBlockFrames);
    }
    void produce() {
        for (int k = 0;; ++k) {
            const int set = k % kSets;
            {
                std::unique_lock<std::mutex> lock(mutex_);
                changed_.wait(lock, [&] { return quit_ || !full_[set]; });
                if (quit_)
                    return;
            }
            read(set);
            const bool last = !pieces_[set].status || pieces_[set].blocks == 0;
            {
                std::lock_guard<std::mutex> lock(mutex_);
                full_[set] = true;
            }
            changed_.notify_all();
            if (last)
                return;
        }
    }

    BlockReader& reader_;
    const Song& song_;
    const MixGains& gains_;
    const int blocks_;
    std::array<MixInput, kMaxTracks> inputs_{};
    static constexpr int kSets = 4;
    std::unique_ptr<std::int16_t[]> storage_[kSets];
    std::array<std::int16_t*, kMaxTracks> buffers_[kSets]{};
    Piece pieces_[kSets];
    bool full_[kSets] = {};
    bool quit_ = false;
    bool threaded_ = true;
    int taken_ = 0;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::thread thread_;
};

// A message naming the temporary file names the file the user chose instead.
std::string naming(std::string message, const std::string& temp, const std::string& path) {
    const auto at = message.find(temp);
    if (at != std::string::npos)
        message.replace(at, temp.size(), path);
    return message;
}

}  // namespace

std::int64_t renderProgressRange(std::int32_t songSeconds, std::uint32_t frequency) {
    return std::int64_t{songSeconds} * frequency * 4 /
               static_cast<std::int64_t>(kStereoBlockBytes) +
           10;
}

Status SongRenderer::checkOutputPath(const Song& song, const std::string& path) {
    if (namesTrackInSong(song, path)) {
        return Status::fail(
            "The file \"" + path +
            "\" is already in the track list: remove it before recording it again.");
    }
    return Status::ok();
}

void SongRenderer::start(const Song& song, const std::string& path, std::int32_t songSeconds) {
    join();
    // Cleared here, before the worker exists, so that a STOP pressed at once is never lost.
    renderEnd_ = false;
    userStopped_ = false;
    // The worker reads its own copy: notices and timer ticks still reach the
    // transport while the render dialog is up, and may change the live song.
    workerSong_ = song;
    worker_ = std::thread([this, path, songSeconds] { run(workerSong_, path, songSeconds); });
}

void SongRenderer::stop() {
    userStopped_ = true;
    renderEnd_ = true;
}

void SongRenderer::join() {
    if (worker_.joinable())
        worker_.join();
}

RenderOutcome SongRenderer::render(const Song& song, const std::string& path,
                                   std::int32_t songSeconds) {
    renderEnd_ = false;
    userStopped_ = false;
    return run(song, path, songSeconds);
}

RenderOutcome SongRenderer::run(const Song& song, const std::string& path,
                                std::int32_t songSeconds) {
    auto finish = [this](RenderOutcome outcome) {
        events_.finished(outcome);
        return outcome;
    };
    if (song.trackCount <= 0)
        return finish(RenderOutcome::NoTracks);

    const MixGains gains = recomputeGains(song);
    const Status opened = reader_.open(song);
    if (!opened) {
        events_.showMessage(opened.message(), "Error");
        return finish(RenderOutcome::Failed);
    }

    const WaveFormat format = WaveFormat::pcm(2, reader_.trackFormat().samplesPerSec, 16);
    // The render goes to a file beside the target, renamed over it at the end,
    // so a full disk or a failed write never destroys an earlier render.
    const std::string temp = path + ".tmp~";
    WaveFileWriter out;
    const Status started = startWaveOutput(out, temp, format);
    if (!started) {
        reader_.close();
        removeFile(temp);
        events_.showMessage(naming(started.message(), temp, path), "Error");
        return finish(RenderOutcome::Failed);
    }
    events_.setProgressRange(renderProgressRange(songSeconds, format.samplesPerSec));

    bool failed = false;
    bool writeFailed = false;
    {
        PieceReadAhead pieces(reader_, song, gains, kRenderPieceBlocks);
        while (!renderEnd_.load(std::memory_order_relaxed)) {
            const PieceReadAhead::Piece& piece = pieces.next();
            if (!piece.status) {
                // The output is still closed properly below: a valid, shorter file.
                events_.showMessage(piece.status.message(), "Error");
                failed = true;
                break;
            }
            if (piece.blocks == 0)
                break;
            // Counted block by block, so that STOP ends the file after the
            // block it was seen at, and written as one piece.
            int mixed = 0;
            while (mixed < piece.blocks) {
                ++mixed;
                if (renderEnd_.load(std::memory_order_relaxed))
                    break;
                events_.stepProgress();
                if (renderEnd_.load(std::memory_order_relaxed))
                    break;
            }
            const auto samples = static_cast<std::size_t>(mixed) * kBlockFrames * 2;
            if (!writeSamples(out, piece.mixed, samples)) {
                events_.showMessage("Write to file error (MM_WIM_DATA).", "Error");
                failed = true;
                writeFailed = true;
                break;
            }
        }
    }
    reader_.close();

    const Status closed = finishWaveOutput(out);
    if (!closed) {
        events_.showMessage(closed.message(), "Error");
        failed = true;
        writeFailed = true;
    }
    // A file that could not be written whole is dropped; one cut short by a
    // track that could not be read is still a valid file of what was mixed.
    if (writeFailed) {
        removeFile(temp);
    } else if (!renameOver(temp, path)) {
        removeFile(temp);
        events_.showMessage("Unable to open the file \"" + path + "\"", "Error");
        failed = true;
    }
    if (userStopped_.load())
        return finish(RenderOutcome::Stopped);
    if (failed)
        return finish(RenderOutcome::Failed);
    events_.showMessage("Rendering completed", "Rendering");
    return finish(RenderOutcome::Completed);
}

}  // namespace brevant
