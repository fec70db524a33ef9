#include "midi_sync.h"

#include <algorithm>

namespace brevant {

std::int64_t MidiSync::startMs(std::int32_t startSeconds, std::int32_t compensationMs) {
    return std::int64_t{startSeconds} * 1000 + compensationMs;
}

SequencerDevice::Error MidiSync::openDevice(const std::string& path, SequencerDevice::DeviceId& id) {
    const Error error = device_.open(path, id);
    if (error != 0) {
        const auto text = device_.errorText(error);
        view_.showWarning(text && !text->empty() ? *text : "Unknown Error", "MCI Error");
        return error;
    }
    // Without milliseconds the file still plays, in the device's own units.
    if (device_.setMilliseconds(id) != 0) view_.showMessage("errore: MCI_SET", "");
    return 0;
}

SequencerDevice::Error MidiSync::open(const std::string& path) {
    stopMidi();
    SequencerDevice::DeviceId id = 0;
    const Error error = openDevice(path, id);
    if (error != 0) return error;
    id_ = id;
    open_ = true;
    return 0;
}

SequencerDevice::Error MidiSync::play(std::int64_t fromMs) {
    if (!open_) return 0;
    playing_ = true;
    // A negative offset before the first second starts at the beginning
    // rather than at a position the device would refuse.
    const auto from = static_cast<std::uint32_t>(std::clamp<std::int64_t>(fromMs, 0, UINT32_MAX));
    const Error error = device_.play(id_, from);
    if (error != 0) stopMidi();
    return error;
}

void MidiSync::stopMidi() {
    if (open_) device_.close(id_);
    open_ = false;
    playing_ = false;
}

std::int32_t MidiSync::midiPositionSeconds() {
    return open_ ? static_cast<std::int32_t>(device_.positionMs(id_) / 1000) : 0;
}

std::int32_t MidiSync::midiLengthSeconds(const std::string& path) {
    if (path.empty()) return 0;
    SequencerDevice::DeviceId id = 0;
    if (openDevice(path, id) != 0) return 0;
    const std::uint32_t ms = device_.lengthMs(id);
    device_.close(id);
    return static_cast<std::int32_t>(ms / 1000);
}

}  // namespace brevant
