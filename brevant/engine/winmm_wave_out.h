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

    // The slot of the header an MM_WOM_DONE names (its lParam), or -1 when the
    // header is not queued on the open device (a notice from before a close).
    int slotOfNotice(std::intptr_t header);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace brevant
