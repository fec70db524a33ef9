// The wave input on the Windows multimedia API (waveIn*): the default device,
// notices of filled buffers posted to a window as MM_WIM_DATA.
#pragma once

#include <cstdint>
#include <memory>

#include "wave_in_device.h"

namespace brevant {

class WinmmWaveIn : public WaveInDevice {
  public:
    // `window` (an HWND) receives MM_WIM_DATA for every buffer returned.
    explicit WinmmWaveIn(void* window);
    ~WinmmWaveIn() override;
    WinmmWaveIn(const WinmmWaveIn&) = delete;
    WinmmWaveIn& operator=(const WinmmWaveIn&) = delete;

    int open(const WaveFormat& format) override;
    int add(int slot, void* data, std::uint32_t bytes) override;
    void unprepare(int slot) override;
    void start() override;
    void reset() override;
    int close() override;
    std::uint32_t positionSamples() override;
    std::uint32_t bytesRecorded(int slot) override;

    // The slot of the buffer a MM_WIM_DATA names: `device` (its wParam) must be
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
