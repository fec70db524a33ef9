#include "playback_engine.h"

#include <new>

#include "block_size.h"
#include "mixer.h"
#include "sample_byte_order.h"

namespace brevant {

std::int16_t* PlaybackEngine::buffer(int slot) {
    return buffers_.data() + static_cast<std::size_t>(slot) * (kStereoBlockBytes / 2);
}

Status PlaybackEngine::start(bool mono) {
    stop();
    playing_ = true;
    // A device that would not close at the last stop was closed again just
    // now; if it still will not, it cannot be opened anew.
    if (deviceOpen_)
        return Status::fail("Unidentified error. (waveOutOpen)");
    mono_ = mono;
    const Status opened = reader_.open(song_);
    if (!opened)
        return opened;

    // The mix is 16-bit whatever the last track claims, so the device is
    // always opened for 16 bits.
    frequency_ = reader_.trackFormat().samplesPerSec;
    const int result = device_.open(WaveFormat::pcm(mono ? 1 : 2, frequency_, 16));
    if (result == WaveOutDevice::kBadFormat)
        return Status::fail("Your soundcard doesn't support the required format.");
    if (result != 0)
        return Status::fail("Unidentified error. (waveOutOpen)");
    deviceOpen_ = true;
    framesWritten_ = 0;
    drainChecked_ = false;
    device_.pause();

    try {
        buffers_.assign(static_cast<std::size_t>(kBuffers) * (kStereoBlockBytes / 2), 0);
    } catch (const std::bad_alloc&) {
        return Status::fail("Out of memory.");
    }
    recomputeGains();
    for (int slot = 0; slot < kBuffers && !reader_.endOfData(); ++slot) {
        const Status queued = fillAndQueue(slot, false);
        if (!queued)
            return queued;
    }
    return Status::ok();
}

Status PlaybackEngine::fillAndQueue(int slot, bool reportDeviceText) {
    const Status read = reader_.readBlock(song_);
    if (!read)
        return read;
    std::int16_t* out = buffer(slot);
    const auto inputs = reader_.mixInputs(song_, gains_);
    std::uint32_t bytes = 0;
    if (mono_) {
        mixMono(inputs, gains_.mixDivisor, out, kBlockFrames);
        swapLittleEndianSamples(out, kBlockFrames);
        bytes = kMonoBlockBytes;
    } else {
        mixStereo(inputs, gains_.mixDivisor, out, kBlockFrames);
        swapLittleEndianSamples(out, 2 * kBlockFrames);
        bytes = kStereoBlockBytes;
    }
    const int result = device_.write(slot, out, bytes);
    if (result != 0) {
        device_.unprepare(slot);
        return Status::fail(reportDeviceText ? device_.errorText(result)
                                             : "Failed to write block to device");
    }
    inDevice_[static_cast<std::size_t>(slot)] = true;
    ++queued_;
    framesWritten_ += kBlockFrames;
    return Status::ok();
}

RefillResult PlaybackEngine::refill(int slot) {
    if (!playing_ || slot < 0 || slot >= kBuffers || !inDevice_[static_cast<std::size_t>(slot)]) {
        return RefillResult::Ignored;
    }
    device_.unprepare(slot);
    inDevice_[static_cast<std::size_t>(slot)] = false;
    --queued_;
    if (seeking_) {
        // Every buffer that was queued must be home before the restart, however
        // few the song filled.
        return queued_ == 0 ? RefillResult::SeekDrained : RefillResult::SeekCounted;
    }
    if (reader_.endOfData())
        return RefillResult::Idle;
    lastError_ = fillAndQueue(slot, true);
    return lastError_ ? RefillResult::Refilled : RefillResult::Failed;
}

bool PlaybackEngine::beginSeek() {
    if (!playing_)
        return false;
    seeking_ = true;
    if (!deviceOpen_ || queued_ == 0)
        return false;
    device_.reset();
    return true;
}

bool PlaybackEngine::closeIfDrained() {
    if (!playing_ || !deviceOpen_ || !reader_.endOfData() || queued_ > 0)
        return false;
    const std::uint32_t position = device_.positionSamples();
    if (position < framesWritten_ && !(drainChecked_ && position == drainPosition_)) {
        drainChecked_ = true;
        drainPosition_ = position;
        return false;
    }
    if (device_.close() != 0)
        return false;
    deviceOpen_ = false;
    // Nothing is queued once the device has closed; late notices are ignored.
    inDevice_.fill(false);
    queued_ = 0;
    return true;
}

void PlaybackEngine::stop() {
    if (deviceOpen_) {
        device_.reset();
        for (int slot = 0; slot < kBuffers; ++slot) device_.unprepare(slot);
        // A device that will not close stays open, as the recording engine
        // keeps its own: the next stop or start closes it again. Otherwise
        // every later open would be refused.
        deviceOpen_ = device_.close() != 0;
    }
    inDevice_.fill(false);
    queued_ = 0;
    playing_ = false;
    mono_ = false;
    reader_.close();
    // The device may still hold buffers it would not give back.
    if (!deviceOpen_) {
        buffers_.clear();
        buffers_.shrink_to_fit();
    }
}

}  // namespace brevant
