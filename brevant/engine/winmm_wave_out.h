// The wave output on the Windows multimedia API (waveOut*): the default
// device, notices of played buffers posted to a window as MM_WOM_DONE.
#pragma once

#include <cstdint>
#include <memory>

#include "wave_out_device.h"

namespace brevant {

class WinmmWaveOut : public WaveOutDevice {
  public:
    // `window` (an HWND) receives MM_WOM_DONE for every buffer returned.
    explicit WinmmWaveOut(void* window);
    ~WinmmWaveOut() override;
    WinmmWaveOut(const WinmmWaveOut&) = delete;
    WinmmWaveOut& operator=(const WinmmWaveOut&) = delete;

    int open(const WaveFormat& format) override;
    void pause() override;
    void restart() override;
    int write(int slot, const void* data, std::uint32_t bytes) override;
    void unprepare(int slot) override;
    void reset() override;
    int close() override;
    std::uint32_t positionSamples() override;
    std::string errorText(int code) override;

    // The slot of the buffer a MM_WOM_DONE names: `device` (its wParam) must be
    // the open device and `header` (its lParam) one of its queued headers that
    // the driver has marked done; -1 otherwise (a notice from before a close,
    // or one for a header the driver still holds).
    int slotOfNotice(std::uintptr_t device, std::intptr_t header);
    // The same for the open device, whichever sent the notice.
    int slotOfNotice(std::intptr_t header);

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace brevant
