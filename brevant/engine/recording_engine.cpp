#include "recording_engine.h"

#include <algorithm>
#include <new>

#include "wave_output.h"

namespace brevant {

std::uint8_t* RecordingEngine::buffer(int slot) {
    return buffers_.data() + static_cast<std::size_t>(slot) * kBufferBytes;
}

Status RecordingEngine::createTake(const std::string& path, const WaveFormat& format) {
    stop();
    takePath_ = path;
    takeBytes_ = 0;
    return startWaveOutput(take_, path, format);
}

Status RecordingEngine::openDevice(const WaveFormat& format) {
    const int result = device_.open(format);
    if (result == WaveInDevice::kBadFormat)
        return Status::fail("Recording format not supported by the hardware.");
    if (result == WaveInDevice::kAllocated) {
        return Status::fail("The Soundcard is already in use by another application.");
    }
    // Any other refusal shows up as the first buffer that cannot be queued.
    if (result != 0)
        return Status::fail("Failed to write block to device");
    deviceOpen_ = true;
    try {
        buffers_.assign(static_cast<std::size_t>(kBuffers) * kBufferBytes, 0);
    } catch (const std::bad_alloc&) {
        return Status::fail("Out of memory.");
    }
    orderHead_ = 0;
    orderCount_ = 0;
    for (int slot = 0; slot < kBuffers; ++slot) {
        if (device_.add(slot, buffer(slot), kBufferBytes) != 0) {
            device_.unprepare(slot);
            return Status::fail("Failed to write block to device");
        }
        order_[static_cast<std::size_t>((orderHead_ + orderCount_) % kBuffers)] = slot;
        ++orderCount_;
    }
    return Status::ok();
}

// Takes `slot` out of the queue order; -1 when it is not queued.
int RecordingEngine::popReturned(int slot) {
    for (int k = 0; k < orderCount_; ++k) {
        const auto at = static_cast<std::size_t>((orderHead_ + k) % kBuffers);
        if (order_[at] != slot)
            continue;
        // Normally the head; anything queued before it is kept in order.
        for (int j = k; j > 0; --j) {
            order_[static_cast<std::size_t>((orderHead_ + j) % kBuffers)] =
                order_[static_cast<std::size_t>((orderHead_ + j - 1) % kBuffers)];
        }
        orderHead_ = (orderHead_ + 1) % kBuffers;
        --orderCount_;
        return slot;
    }
    return -1;
}

bool RecordingEngine::writeToTake(int slot, std::uint32_t bytes) {
    bytes = std::min(bytes, kBufferBytes);
    if (bytes == 0)
        return true;
    if (!take_.write(buffer(slot), bytes))
        return false;
    takeBytes_ += bytes;
    return true;
}

InputResult RecordingEngine::onInputData(int slot, std::uint32_t bytes, Status& error) {
    if (!recording_ || slot < 0 || slot >= kBuffers || popReturned(slot) < 0)
        return InputResult::Ignored;
    if (!writeToTake(slot, bytes)) {
        error = Status::fail("Write to file error (MM_WIM_DATA).");
        return InputResult::Failed;
    }
    if (device_.add(slot, buffer(slot), kBufferBytes) != 0) {
        error = Status::fail("Failed to write block to device");
        return InputResult::Failed;
    }
    order_[static_cast<std::size_t>((orderHead_ + orderCount_) % kBuffers)] = slot;
    ++orderCount_;
    return InputResult::Written;
}

RecordingStop RecordingEngine::stop() {
    RecordingStop result;
    result.wasRecording = recording_;
    recording_ = false;
    bool lostData = false;
    if (deviceOpen_) {
        device_.reset();
        // The reset hands back every buffer, the one being filled with the
        // audio it holds: that is the end of the take, so it is kept. Their
        // notices arrive later and are ignored.
        if (result.wasRecording && take_.isOpen()) {
            for (int k = 0; k < orderCount_; ++k) {
                const int slot = order_[static_cast<std::size_t>((orderHead_ + k) % kBuffers)];
                if (!writeToTake(slot, device_.bytesRecorded(slot)))
                    lostData = true;
            }
        }
        orderCount_ = 0;
        for (int slot = 0; slot < kBuffers; ++slot) device_.unprepare(slot);
        result.deviceClosed = device_.close() == 0;
        deviceOpen_ = !result.deviceClosed;
    }
    // The take is closed even if the device would not close: its data is
    // already written, and an open file would be lost to the song.
    result.dataBytes = takeBytes_;
    if (take_.isOpen()) {
        result.finished = finishWaveOutput(take_);
        if (result.finished && lostData)
            result.finished = Status::fail("Write to file error (MM_WIM_DATA).");
    }
    // A device that refused to close may still fill its buffers: keep them.
    if (!deviceOpen_) {
        buffers_.clear();
        buffers_.shrink_to_fit();
    }
    return result;
}

}  // namespace brevant
