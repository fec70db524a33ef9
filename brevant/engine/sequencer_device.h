// The platform's MIDI sequencer, reached by device commands: open a standard
// MIDI file, choose milliseconds, play with a completion notice to the mixer
// panel, ask position and length, close. Errors are the device's own codes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace brevant {

class SequencerDevice {
public:
    using Error = std::uint32_t;
    using DeviceId = std::uint32_t;

    // Flags a completion notice carries.
    static constexpr std::uint32_t kNotifySuccessful = 1;
    static constexpr std::uint32_t kNotifySuperseded = 2;
    static constexpr std::uint32_t kNotifyAborted = 4;
    static constexpr std::uint32_t kNotifyFailure = 8;

    virtual ~SequencerDevice() = default;
    virtual Error open(const std::string& path, DeviceId& id) = 0;
    virtual Error setMilliseconds(DeviceId id) = 0;
    // Plays from `fromMs`; the completion notice goes to the owner window.
    virtual Error play(DeviceId id, std::uint32_t fromMs) = 0;
    virtual std::uint32_t positionMs(DeviceId id) = 0;
    virtual std::uint32_t lengthMs(DeviceId id) = 0;
    virtual void close(DeviceId id) = 0;
    // The platform's text for an error, if it has one.
    virtual std::optional<std::string> errorText(Error error) = 0;
};

}  // namespace brevant
