#include "mci_sequencer.h"

#include <windows.h>
#include <mmsystem.h>

namespace brevant {

namespace {

std::uint32_t status(MCIDEVICEID id, DWORD item) {
    MCI_STATUS_PARMS parms{};
    parms.dwItem = item;
    if (mciSendCommandA(id, MCI_STATUS, MCI_STATUS_ITEM, reinterpret_cast<DWORD_PTR>(&parms)) != 0) return 0;
    return static_cast<std::uint32_t>(parms.dwReturn);
}

}  // namespace

SequencerDevice::Error MciSequencer::open(const std::string& path, DeviceId& id) {
    MCI_OPEN_PARMSA parms{};
    parms.lpstrDeviceType = "sequencer";
    parms.lpstrElementName = path.c_str();
    const MCIERROR error =
        mciSendCommandA(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_ELEMENT, reinterpret_cast<DWORD_PTR>(&parms));
    if (error == 0) id = parms.wDeviceID;
    return error;
}

SequencerDevice::Error MciSequencer::setMilliseconds(DeviceId id) {
    MCI_SET_PARMS parms{};
    parms.dwTimeFormat = MCI_FORMAT_MILLISECONDS;
    return mciSendCommandA(id, MCI_SET, MCI_SET_TIME_FORMAT, reinterpret_cast<DWORD_PTR>(&parms));
}

SequencerDevice::Error MciSequencer::play(DeviceId id, std::uint32_t fromMs) {
    MCI_PLAY_PARMS parms{};
    parms.dwCallback = reinterpret_cast<DWORD_PTR>(window_);
    parms.dwFrom = fromMs;
    return mciSendCommandA(id, MCI_PLAY, MCI_NOTIFY | MCI_FROM, reinterpret_cast<DWORD_PTR>(&parms));
}

std::uint32_t MciSequencer::positionMs(DeviceId id) { return status(id, MCI_STATUS_POSITION); }

std::uint32_t MciSequencer::lengthMs(DeviceId id) { return status(id, MCI_STATUS_LENGTH); }

void MciSequencer::close(DeviceId id) { mciSendCommandA(id, MCI_CLOSE, 0, 0); }

std::optional<std::string> MciSequencer::errorText(Error error) {
    char text[256] = {};
    if (!mciGetErrorStringA(error, text, sizeof(text)) || text[0] == '\0') return std::nullopt;
    return std::string(text);
}

}  // namespace brevant
