// Plays the song through the wave output: every track read block by block,
// mixed, and kept in a ring of up to 10 queued buffers of 7680 frames that are
// refilled one by one as the device hands them back.
//
// The engine only drives the device and the track files; the buttons, the
// timer, the MIDI file and the messages are the transport's (Transport).
// Main thread only.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "block_reader.h"
#include "mix_gains.h"
#include "song.h"
#include "status.h"
#include "wave_out_device.h"

namespace brevant {

enum class RefillResult {
    Ignored,      // not a buffer of this run (a late notice after a stop)
    Refilled,     // read, mixed and queued again
    Idle,         // the song has run out; the buffer stays home
    SeekCounted,  // a seek is waiting for more buffers to come back
    SeekDrained,  // a seek's last buffer is back: restart at the new position
    Failed,       // reading or queueing failed; see lastError()
};

class PlaybackEngine {
  public:
    static constexpr int kBuffers = 10;

    PlaybackEngine(const Song& song, WaveOutDevice& device) : song_(song), device_(device) {}
    PlaybackEngine(const PlaybackEngine&) = delete;
    PlaybackEngine& operator=(const PlaybackEngine&) = delete;
    ~PlaybackEngine() { stop(); }

    // Opens every track at the song's start position, opens the device paused
    // (one channel when `mono`) and queues up to 10 buffers, fewer when the
    // song runs out first. On failure the caller stops the engine.
    Status start(bool mono);
    // A buffer came back from the device.
    RefillResult refill(int slot);
    const Status& lastError() const { return lastError_; }

    // Starts a seek: returns every queued buffer. False when none is queued
    // (the song had drained), so that nothing will come back and the caller
    // restarts at once.
    bool beginSeek();
    void endSeek() { seeking_ = false; }

    // The end of the song: no track has data left, every buffer has come back
    // and the device's position has reached the last frame written (or has
    // stopped moving short of it), so the device closes. A buffer comes back
    // once the device has taken its data, which may be before it is heard:
    // closing then would cut off the end of the song.
    bool closeIfDrained();

    // Returns the buffers, closes the device and every track file, frees the
    // buffers. A device that will not close stays open (deviceOpen()) with its
    // buffers, and is closed again at the next stop or start. Safe to call in
    // any state.
    void stop();

    void recomputeGains() { gains_ = brevant::recomputeGains(song_); }

    bool playing() const { return playing_; }
    bool endOfData() const { return reader_.endOfData(); }
    bool seeking() const { return seeking_; }
    bool monoPlayback() const { return mono_; }
    bool deviceOpen() const { return deviceOpen_; }
    int queuedBuffers() const { return queued_; }
    // Frames played, by the device's count, and their frequency.
    std::uint32_t playedSamples() { return deviceOpen_ ? device_.positionSamples() : 0; }
    std::uint32_t frequency() const { return frequency_; }
    const MixGains& gains() const { return gains_; }

  private:
    Status fillAndQueue(int slot, bool reportDeviceText);
    std::int16_t* buffer(int slot);

    const Song& song_;
    WaveOutDevice& device_;
    BlockReader reader_;
    MixGains gains_;
    std::vector<std::int16_t> buffers_;  // kBuffers stereo blocks, allocated per start
    std::array<bool, kBuffers> inDevice_{};
    int queued_ = 0;
    std::uint32_t frequency_ = 0;
    std::uint32_t framesWritten_ = 0;  // since the device was opened
    std::uint32_t drainPosition_ = 0;  // the position at the last drain check
    bool drainChecked_ = false;
    bool playing_ = false;
    bool deviceOpen_ = false;
    bool seeking_ = false;
    bool mono_ = false;
    Status lastError_ = Status::ok();
};

}  // namespace brevant
