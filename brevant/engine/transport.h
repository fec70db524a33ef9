// The recorder's transport: the Play and Record commands, the common stop
// (stopTransport), the seek through the position slider, the 500 ms display
// tick and the device notices, over the playback, recording and MIDI engines.
//
// The mixer panel forwards its commands, notices and timer ticks here and the
// transport answers through TransportView. Main thread only: the devices'
// notices arrive as window messages on it.
#pragma once

#include <cstdint>
#include <string>

#include "midi_sync.h"
#include "playback_engine.h"
#include "recorder_settings.h"
#include "recording_engine.h"
#include "sequencer_device.h"
#include "song_project.h"
#include "transport_view.h"
#include "wave_in_device.h"
#include "wave_out_device.h"

namespace brevant {

// stopTransport modes.
enum class StopMode : int { Recording = 1, Playback = 2, Both = 3 };

// Scroll notification codes of the position slider.
enum class SliderCode : int { ThumbPosition = 4, ThumbTrack = 5 };

class Transport {
  public:
    Transport(SongProject& project, RecorderSettings& settings, TransportView& view,
              WaveOutDevice& output, WaveInDevice& input, SequencerDevice& sequencer);
    Transport(const Transport&) = delete;
    Transport& operator=(const Transport&) = delete;

    // Commands.
    void playCommand();    // "Play" (1026)
    void recordCommand();  // "rec" and Track > Record (1004)
    // The single way playback and recording end. The devices stop first and a
    // non-empty message is shown after, once: the box's message loop still
    // delivers the devices' notices, which then find nothing running.
    // "stoprec" sends Recording, "stopplay" Playback.
    void stopTransport(StopMode mode, const std::string& message = {});
    // Before New, Open or Exit: stops playback, recording and the MIDI file,
    // and a running take joins the song before this returns, so that the save
    // prompt that follows sees it. True when a take joined the song.
    bool stopAndKeepTake();

    // Notices from the devices and the timer.
    void refillPlayBuffer(int slot);
    void onInputData(int slot, std::uint32_t bytesRecorded);
    void onMidiNotify(std::uint32_t flags);
    void onTimerTick();
    void onPositionSlider(int code, int position);

    // After a change of volume, pan, mute, boost or the track list; applies
    // from the next refilled buffer.
    void recomputeGains() { playback_.recomputeGains(); }
    // The song length (longest track or the MIDI file), with the position
    // slider set to match. A track that cannot be measured stops playback
    // with its message.
    std::int32_t computeSongLength();
    std::int32_t songSeconds() const { return songSeconds_; }

    // Playback, recording or the MIDI file runs (or a device is still held):
    // the window keeps Render and other whole-song commands disabled meanwhile.
    bool busy() const { return playing() || recording() || midi_.playing() || recording_.active(); }
    bool playing() const { return playback_.playing(); }
    bool recording() const { return recording_.recording(); }
    bool midiPlaying() const { return midi_.playing(); }
    bool takeWaiting() const { return takeWaiting_; }
    bool dragging() const { return dragging_; }
    bool midiRestart() const { return midiRestart_; }
    bool timerRunning() const { return timerRunning_; }

    PlaybackEngine& playback() { return playback_; }
    RecordingEngine& recorder() { return recording_; }
    MidiSync& midi() { return midi_; }

  private:
    bool startPlayback();
    bool armRecording();
    // Starts the song's MIDI file at the start position; 0 or the device error.
    SequencerDevice::Error startMidi();
    void restartAfterSeek();
    void stopPlayback();
    void stopRecording();
    void addTake();
    void startTimerIfIdle();
    void killTimerIfIdle();
    void showTime(int seconds);
    Song& song() { return project_.song(); }

    SongProject& project_;
    RecorderSettings& settings_;
    TransportView& view_;
    WaveOutDevice& output_;
    PlaybackEngine playback_;
    RecordingEngine recording_;
    MidiSync midi_;
    std::int32_t songSeconds_ = 0;
    bool takeWaiting_ = false;
    bool dragging_ = false;
    bool midiRestart_ = false;
    bool timerRunning_ = false;
    bool showRecording_ = false;  // the status field's blink
    // The format the take was armed with: Preferences may change the
    // configured one while it runs.
    WaveFormat takeFormat_;
};

}  // namespace brevant
