#include "song_renderer.h"

#include <algorithm>
#include <bit>
#include <cstdio>

#include "block_size.h"
#include "file_replace.h"
#include "mix_gains.h"
#include "mixer.h"
#include "piece_pipeline.h"
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
    Status opened = reader_.open(song);
    if (opened)
        opened = secondReader_.open(song);
    if (!opened) {
        reader_.close();
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
        secondReader_.close();
        removeFile(temp);
        events_.showMessage(naming(started.message(), temp, path), "Error");
        return finish(RenderOutcome::Failed);
    }
    events_.setProgressRange(renderProgressRange(songSeconds, format.samplesPerSec));

    bool failed = false;
    bool writeFailed = false;
    PiecePipeline pipeline({&reader_, &secondReader_}, song, gains, kRenderPieceBlocks);
    pipeline.run([&](const PiecePipeline::Piece& piece) {
        if (renderEnd_.load(std::memory_order_relaxed))
            return false;
        if (!piece.status) {
            // The output is still closed properly below: a valid, shorter file.
            events_.showMessage(piece.status.message(), "Error");
            failed = true;
            return false;
        }
        if (piece.blocks == 0)
            return false;
        // Counted block by block, so that STOP ends the file after the block
        // it was seen at, and written as one piece.
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
            return false;
        }
        return !renderEnd_.load(std::memory_order_relaxed);
    });
    reader_.close();
    secondReader_.close();

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
