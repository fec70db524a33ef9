// Renders the song into one stereo 16-bit WAVE file on a worker thread, with
// the reading, gains and stereo mixing rule of playback. The output is the same
// as playback's block by block mix, but read, mixed and written a piece of
// several blocks at a time.
//
// Threads: start() runs the render on a worker over its own copy of the song,
// so the song may change meanwhile; the worker reads every other piece on one
// more thread of its own. stop() may be called from any thread and is seen at
// the next block.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include "block_reader.h"
#include "message_sink.h"
#include "song.h"
#include "status.h"

namespace brevant {

enum class RenderOutcome {
    Completed,  // every track ran out; "Rendering completed" was shown
    Stopped,    // stop() ended it; the file holds what was written so far
    Failed,     // a track, the output or a write failed; the message was shown
    NoTracks,   // nothing to render; no file was made
};

// Called on the render's threads, one call at a time, in order.
class RenderEvents : public MessageSink {
  public:
    virtual void setProgressRange(std::int64_t high) = 0;
    virtual void stepProgress() = 0;
    virtual void finished(RenderOutcome outcome) = 0;
};

class SongRenderer {
  public:
    // Blocks read, mixed and written at once: large reads and writes, while the
    // pieces being read and mixed still fit in the processors' caches.
    static constexpr int kRenderPieceBlocks = 2;

    explicit SongRenderer(RenderEvents& events) : events_(events) {}
    ~SongRenderer() { join(); }
    SongRenderer(const SongRenderer&) = delete;
    SongRenderer& operator=(const SongRenderer&) = delete;

    // The output may not be one of the song's tracks (by name, without regard
    // to case, or the same file under another name).
    static Status checkOutputPath(const Song& song, const std::string& path);

    // Starts the worker on a copy of `song`. `songSeconds` only scales the
    // progress range.
    void start(const Song& song, const std::string& path, std::int32_t songSeconds);
    // STOP: the worker closes the file at its next block.
    void stop();
    void join();
    bool userStopped() const { return userStopped_.load(); }

    // The worker's body, run on the calling thread.
    RenderOutcome render(const Song& song, const std::string& path, std::int32_t songSeconds);

  private:
    RenderOutcome run(const Song& song, const std::string& path, std::int32_t songSeconds);

    RenderEvents& events_;
    std::atomic<bool> renderEnd_{false};
    std::atomic<bool> userStopped_{false};
    std::thread worker_;
    // Two readers of the song, each reading every other piece.
    BlockReader reader_{1, kRenderPieceBlocks};
    BlockReader secondReader_{1, kRenderPieceBlocks};
    Song workerSong_;  // the worker's copy, set before it starts
};

// The progress range for a song of `songSeconds` at `frequency`: one step per
// block, and 10 to spare.
std::int64_t renderProgressRange(std::int32_t songSeconds, std::uint32_t frequency);

}  // namespace brevant
