// Plays the song's MIDI file on the platform sequencer in step with the audio:
// opened and played from the song's start position plus the MIDI offset,
// closed with playback, and measured for the song's length.
//
// Errors opening the file show the device's text in an "MCI Error" box; the
// buttons and the timer are the transport's. Main thread only.
#pragma once

#include <cstdint>
#include <string>

#include "sequencer_device.h"
#include "song_length.h"
#include "transport_view.h"

namespace brevant {

class MidiSync : public MidiLengthSource {
public:
    using Error = SequencerDevice::Error;

    MidiSync(SequencerDevice& device, TransportView& view) : device_(device), view_(view) {}
    MidiSync(const MidiSync&) = delete;
    MidiSync& operator=(const MidiSync&) = delete;
    ~MidiSync() override { stopMidi(); }

    // Opens the sequencer on `path` and sets milliseconds. 0 or the error
    // (already shown).
    Error open(const std::string& path);
    // Plays the open file from `fromMs`; a refused play closes the device and
    // returns the error without a message.
    Error play(std::int64_t fromMs);
    // Closes the device; the file no longer plays.
    void stopMidi();

    // The file ended (a completion notice): it no longer plays, though the
    // device stays open until playback stops.
    void finished() { playing_ = false; }

    bool open() const { return open_; }
    bool playing() const { return playing_; }
    std::int32_t midiPositionSeconds();
    // Opens the file once to read its length; 0 for an empty path or a file
    // the sequencer refuses (the error is shown).
    std::int32_t midiLengthSeconds(const std::string& path) override;

    // The start position of the MIDI file for a song started at `startSeconds`.
    static std::int64_t startMs(std::int32_t startSeconds, std::int32_t compensationMs);

private:
    Error openDevice(const std::string& path, SequencerDevice::DeviceId& id);

    SequencerDevice& device_;
    TransportView& view_;
    SequencerDevice::DeviceId id_ = 0;
    bool open_ = false;
    bool playing_ = false;
};

}  // namespace brevant
