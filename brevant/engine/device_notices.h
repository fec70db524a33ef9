// Routes the window messages of the live devices to the transport: played
// buffers, filled input buffers, the sequencer's completion and the display
// timer. The mixer panel's window procedure calls it first.
#pragma once

#include <cstdint>

#include "transport.h"
#include "winmm_wave_in.h"
#include "winmm_wave_out.h"

namespace brevant {

constexpr std::uintptr_t kDisplayTimerId = 2;
constexpr unsigned kDisplayTimerMs = 500;

struct LiveDevices {
    WinmmWaveOut& output;
    WinmmWaveIn& input;
};

// True when the message was one of the devices' notices (handled).
bool dispatchDeviceNotice(Transport& transport, LiveDevices devices, unsigned message, std::uintptr_t wParam,
                          std::intptr_t lParam);

}  // namespace brevant
