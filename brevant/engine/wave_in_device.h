// The sound card's wave input as the recording engine drives it: one device,
// buffers named by slot (0..15). A filled buffer comes back as a notice that
// the mixer panel forwards to the engine with its slot and byte count.
#pragma once

#include <cstdint>

#include "wave_format.h"

namespace brevant {

class WaveInDevice {
public:
    static constexpr int kBadFormat = 32;  // the device refuses the format
    static constexpr int kAllocated = 4;   // another program holds the device

    virtual ~WaveInDevice() = default;
    // Opens the default device; 0 on success.
    virtual int open(const WaveFormat& format) = 0;
    // Prepares the slot's buffer (once) and hands it to the device; 0 on
    // success. The engine keeps `data` alive until the device is closed.
    virtual int add(int slot, void* data, std::uint32_t bytes) = 0;
    virtual void unprepare(int slot) = 0;
    virtual void start() = 0;
    // Returns every buffer, the one being filled with what it holds so far.
    virtual void reset() = 0;
    // 0 when the device closed.
    virtual int close() = 0;
    // Sample frames recorded since the device was started.
    virtual std::uint32_t positionSamples() = 0;
    // Bytes the device put into the slot's buffer; meaningful once returned.
    virtual std::uint32_t bytesRecorded(int slot) = 0;
};

}  // namespace brevant
