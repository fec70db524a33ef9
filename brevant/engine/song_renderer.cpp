#include "song_renderer.h"

#include <algorithm>
#include <bit>
#include <cstdio>
#include <filesystem>

#include "file_replace.h"
#include "mix_gains.h"
#include "mixer.h"
#include "wave_file_writer.h"
#include "wave_output.h"

namespace brevant {

namespace {

bool sameFile(const std::string& a, const std::string& b) {
    std::error_code ec;
    return std::filesystem::equivalent(a, b, ec) && !ec;
}

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
    if (at != std::string::npos) message.replace(at, temp.size(), path);
    return message;
}

}  // namespace

std::int64_t renderProgressRange(std::int32_t songSeconds, std::uint32_t frequency) {
    return std::int64_t{songSeconds} * frequency * 4 / static_cast<std::int64_t>(kStereoBlockBytes) + 10;
}

Status SongRenderer::checkOutputPath(const Song& song, const std::string& path) {
    bool taken = isInSong(song, path);
    for (int i = 0; !taken && i < song.trackCount && i < kMaxTracks; ++i) {
        taken = sameFile(path, song.track(i).fileName);
    }
    if (taken) {
        return Status::fail("The file \"" + path +
                            "\" is already in the track list: remove it before recording it again.");
    }
    return Status::ok();
}

void SongRenderer::start(const Song& song, const std::string& path, std::int32_t songSeconds) {
    join();
    // Cleared here, before the worker exists, so that a STOP pressed at once is never lost.
    renderEnd_ = false;
    userStopped_ = false;
    worker_ = std::thread([this, &song, path, songSeconds] { run(song, path, songSeconds); });
}

void SongRenderer::stop() {
    userStopped_ = true;
    renderEnd_ = true;
}

void SongRenderer::join() {
    if (worker_.joinable()) worker_.join();
}

RenderOutcome SongRenderer::render(const Song& song, const std::string& path, std::int32_t songSeconds) {
    renderEnd_ = false;
    userStopped_ = false;
    return run(song, path, songSeconds);
}

RenderOutcome SongRenderer::run(const Song& song, const std::string& path, std::int32_t songSeconds) {
    auto finish = [this](RenderOutcome outcome) {
        events_.finished(outcome);
        return outcome;
    };
    if (song.trackCount <= 0) return finish(RenderOutcome::NoTracks);

    const MixGains gains = recomputeGains(song);
    renderOut_.fill(0);
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
        std::remove(temp.c_str());
        events_.showMessage(naming(started.message(), temp, path), "Error");
        return finish(RenderOutcome::Failed);
    }
    events_.setProgressRange(renderProgressRange(songSeconds, format.samplesPerSec));

    bool failed = false;
    bool writeFailed = false;
    while (!renderEnd_.load(std::memory_order_relaxed)) {
        const Status read = reader_.readBlock(song);
        if (!read) {
            // The output is still closed properly below: a valid, shorter file.
            events_.showMessage(read.message(), "Error");
            failed = true;
            break;
        }
        if (reader_.endOfData()) break;
        mixStereo(reader_.mixInputs(song, gains), gains.mixDivisor, renderOut_.data(), kBlockFrames);
        if (!writeSamples(out, renderOut_.data(), renderOut_.size())) {
            events_.showMessage("Write to file error (MM_WIM_DATA).", "Error");
            failed = true;
            writeFailed = true;
            break;
        }
        if (!renderEnd_.load(std::memory_order_relaxed)) events_.stepProgress();
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
        std::remove(temp.c_str());
    } else if (!renameOver(temp, path)) {
        std::remove(temp.c_str());
        events_.showMessage("Unable to open the file \"" + path + "\"", "Error");
        failed = true;
    }
    if (userStopped_.load()) return finish(RenderOutcome::Stopped);
    if (failed) return finish(RenderOutcome::Failed);
    events_.showMessage("Rendering completed", "Rendering");
    return finish(RenderOutcome::Completed);
}

}  // namespace brevant
