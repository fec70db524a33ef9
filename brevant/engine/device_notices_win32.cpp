#include "device_notices.h"

#include <windows.h>
// after windows.h, which it needs
#include <mmsystem.h>

namespace brevant {

bool dispatchDeviceNotice(Transport& transport, LiveDevices devices, unsigned message,
                          std::uintptr_t wParam, std::intptr_t lParam) {
    switch (message) {
        case MM_WOM_DONE: {
            const int slot = devices.output.slotOfNotice(wParam, lParam);
            if (slot >= 0)
                transport.refillPlayBuffer(slot);
            return true;
        }
        case MM_WIM_DATA: {
            const int slot = devices.input.slotOfNotice(wParam, lParam);
            if (slot >= 0)
                transport.onInputData(slot, devices.input.bytesRecorded(slot));
            return true;
        }
        case MM_MCINOTIFY:
            transport.onMidiNotify(static_cast<std::uint32_t>(wParam));
            return true;
        case WM_TIMER:
            if (wParam != kDisplayTimerId)
                return false;
            transport.onTimerTick();
            return true;
        default:
            return false;
    }
}

}  // namespace brevant
