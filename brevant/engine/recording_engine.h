// Records a take from the wave input into a new WAVE file: 16 buffers of
// 30720 bytes kept queued on the device, each written to the file's "data"
// chunk as it comes back full and then handed back.
//
// The engine owns the device's buffers and the take file; the transport
// decides when to arm, start and stop. Main thread only.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "status.h"
#include "wave_file_writer.h"
#include "wave_format.h"
#include "wave_in_device.h"

namespace brevant {

enum class InputResult {
    Ignored,  // not a buffer of a running take (a late notice after a stop)
    Written,  // appended to the take and handed back
    Failed,   // the write or the hand-back failed; see the message
};

struct RecordingStop {
    bool wasRecording = false;  // a take was running: it goes to the song
    bool deviceClosed = true;
    Status finished = Status::ok();  // closing the take's chunks
    std::uint64_t dataBytes = 0;     // the take's data: none when stopped straight away
};

class RecordingEngine {
  public:
    static constexpr int kBuffers = 16;
    static constexpr std::uint32_t kBufferBytes = 30720;

    explicit RecordingEngine(WaveInDevice& device) : device_(device) {}
    RecordingEngine(const RecordingEngine&) = delete;
    RecordingEngine& operator=(const RecordingEngine&) = delete;
    ~RecordingEngine() { stop(); }

    // Creates the take file and writes everything up to its open "data" chunk.
    Status createTake(const std::string& path, const WaveFormat& format);
    // Opens the device and queues the 16 buffers.
    Status openDevice(const WaveFormat& format);
    // Armed: the take is running from now on (written as data arrives).
    void setRecording() { recording_ = true; }
    void start() { device_.start(); }

    // A buffer came back with `bytes` recorded into it.
    InputResult onInputData(int slot, std::uint32_t bytes, Status& error);

    // Ends the take: returns every buffer from the device, writes what the
    // returned buffers hold that was not yet written, closes the device and
    // the file's chunks, frees the buffers. Safe to call in any state.
    RecordingStop stop();

    bool recording() const { return recording_; }
    bool deviceOpen() const { return deviceOpen_; }
    bool takeOpen() const { return take_.isOpen(); }
    bool active() const { return deviceOpen_ || take_.isOpen(); }
    const std::string& takePath() const { return takePath_; }
    std::uint32_t recordedSamples() { return deviceOpen_ ? device_.positionSamples() : 0; }

  private:
    std::uint8_t* buffer(int slot);
    bool writeToTake(int slot, std::uint32_t bytes);
    int popReturned(int slot);

    WaveInDevice& device_;
    WaveFileWriter take_;
    std::string takePath_;
    std::uint64_t takeBytes_ = 0;
    std::vector<std::uint8_t> buffers_;  // kBuffers buffers, allocated per arming
    // The device hands buffers back in the order they were queued.
    std::array<int, kBuffers> order_{};
    int orderHead_ = 0;
    int orderCount_ = 0;
    bool deviceOpen_ = false;
    bool recording_ = false;
};

}  // namespace brevant
