#include "song_renderer.h"

#include <algorithm>
#include <bit>
#include <filesystem>

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
    WaveFileWriter out;
    const Status started = startWaveOutput(out, path, format);
    if (!started) {
        reader_.close();
        events_.showMessage(started.message(), "Error");
        return finish(RenderOutcome::Failed);
    }
    events_.setProgressRange(renderProgressRange(songSeconds, format.samplesPerSec));

    bool failed = false;
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
            break;
        }
        if (!renderEnd_.load(std::memory_order_relaxed)) events_.stepProgress();
    }
    reader_.close();

    const Status closed = finishWaveOutput(out);
    if (!closed) {
        events_.showMessage(closed.message(), "Error");
        failed = true;
    }
    if (userStopped_.load()) return finish(RenderOutcome::Stopped);
    if (failed) return finish(RenderOutcome::Failed);
    events_.showMessage("Rendering completed", "Rendering");
    return finish(RenderOutcome::Completed);
}

}  // namespace brevant
