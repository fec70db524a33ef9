// The MIDI sequencer through the Media Control Interface (mciSendCommandA with
// the "sequencer" device type); completion notices go to a window as
// MM_MCINOTIFY.
#pragma once

#include "sequencer_device.h"

namespace brevant {

class MciSequencer : public SequencerDevice {
public:
    // `window` (an HWND) receives MM_MCINOTIFY when a play ends or is cut short.
    explicit MciSequencer(void* window) : window_(window) {}

    Error open(const std::string& path, DeviceId& id) override;
    Error setMilliseconds(DeviceId id) override;
    Error play(DeviceId id, std::uint32_t fromMs) override;
    std::uint32_t positionMs(DeviceId id) override;
    std::uint32_t lengthMs(DeviceId id) override;
    void close(DeviceId id) override;
    std::optional<std::string> errorText(Error error) override;

private:
    void* window_;
};

}  // namespace brevant
