// The sound card's wave output as the playback engine drives it: one device,
// buffers named by slot (0..9). A played buffer comes back as a notice that
// the mixer panel forwards to the engine with its slot.
#pragma once

#include <cstdint>
#include <string>

#include "wave_format.h"

namespace brevant {

class WaveOutDevice {
public:
    static constexpr int kBadFormat = 32;  // the device refuses the format

    virtual ~WaveOutDevice() = default;
    // Opens the default device; 0 on success.
    virtual int open(const WaveFormat& format) = 0;
    virtual void pause() = 0;
    virtual void restart() = 0;
    // Prepares the slot's buffer and queues it; 0 on success. The engine keeps
    // `data` alive until the buffer has come back.
    virtual int write(int slot, const void* data, std::uint32_t bytes) = 0;
    virtual void unprepare(int slot) = 0;
    // Returns every queued buffer (each still comes back as a notice).
    virtual void reset() = 0;
    // 0 when the device closed; fails while a buffer is still queued.
    virtual int close() = 0;
    // Sample frames played since the device was opened.
    virtual std::uint32_t positionSamples() = 0;
    virtual std::string errorText(int code) = 0;
};

}  // namespace brevant
