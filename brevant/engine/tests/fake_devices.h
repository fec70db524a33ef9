// In-memory devices for the live engines' tests: a wave output that keeps what
// was written and returns buffers when the test says, a wave input that the
// test fills, a sequencer that reports position, length and completion on
// demand. All three note their calls in one shared log, so that tests can
// check the order of starts.
#pragma once

#include <cstdint>
#include <cstring>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "sequencer_device.h"
#include "wave_in_device.h"
#include "wave_out_device.h"

namespace brevant::testing {

using CallLog = std::vector<std::string>;

class FakeWaveOut : public WaveOutDevice {
  public:
    explicit FakeWaveOut(CallLog& log) : log_(log) {}

    int open(const WaveFormat& format) override {
        log_.push_back("out.open");
        if (openResult != 0)
            return openResult;
        if (isOpen)
            return 4;  // already allocated, as the system says
        isOpen = true;
        paused = false;
        opened.push_back(format);
        position = 0;
        return 0;
    }
    void pause() override { paused = true; }
    void restart() override {
        log_.push_back("out.restart");
        paused = false;
    }
    int write(int slot, const void* data, std::uint32_t bytes) override {
        if (!isOpen)
            return 5;
        if (failWriteAfter == 0)
            return 11;
        if (failWriteAfter > 0)
            --failWriteAfter;
        const auto* p = static_cast<const std::uint8_t*>(data);
        written.push_back({slot, std::vector<std::uint8_t>(p, p + bytes)});
        queue.push_back(slot);
        prepared[slot] = true;
        return 0;
    }
    void unprepare(int slot) override { prepared[slot] = false; }
    void reset() override {
        ++resets;
        // Every queued buffer is marked done; its notice comes later.
        for (int slot : queue) notices.push_back(slot);
        queue.clear();
    }
    int close() override {
        if (!isOpen)
            return 5;
        if (!queue.empty())
            return 33;  // still playing
        if (closeFailures > 0) {
            --closeFailures;
            return 1;
        }
        isOpen = false;
        ++closes;
        return 0;
    }
    std::uint32_t positionSamples() override { return position; }
    std::string errorText(int code) override { return "device error " + std::to_string(code); }

    // The device finished playing the oldest queued buffer; its slot.
    int playNext() {
        if (queue.empty())
            return -1;
        const int slot = queue.front();
        queue.pop_front();
        for (auto w = written.rbegin(); w != written.rend(); ++w) {
            if (w->slot != slot)
                continue;
            position += static_cast<std::uint32_t>(w->bytes.size() / opened.back().frameBytes());
            break;
        }
        return slot;
    }
    // Notices of buffers returned by a reset, oldest first.
    std::vector<int> takeNotices() {
        std::vector<int> n(notices.begin(), notices.end());
        notices.clear();
        return n;
    }

    struct Written {
        int slot;
        std::vector<std::uint8_t> bytes;
    };
    int openResult = 0;
    int failWriteAfter = -1;  // writes accepted before the next refusal; -1 never refuses
    int closeFailures = 0;    // closes refused before one succeeds
    bool isOpen = false;
    bool paused = false;
    int resets = 0;
    int closes = 0;
    std::uint32_t position = 0;
    std::vector<WaveFormat> opened;
    std::vector<Written> written;
    std::deque<int> queue;    // in the device, not yet played
    std::deque<int> notices;  // returned by a reset, notice pending
    std::map<int, bool> prepared;

  private:
    CallLog& log_;
};

class FakeWaveIn : public WaveInDevice {
  public:
    explicit FakeWaveIn(CallLog& log) : log_(log) {}

    int open(const WaveFormat& format) override {
        log_.push_back("in.open");
        if (openResult != 0)
            return openResult;
        isOpen = true;
        started = false;
        opened.push_back(format);
        return 0;
    }
    int add(int slot, void* data, std::uint32_t bytes) override {
        if (!isOpen)
            return 5;
        if (failAddAfter == 0)
            return 11;
        if (failAddAfter > 0)
            --failAddAfter;
        buffers[slot] = {static_cast<std::uint8_t*>(data), bytes, 0};
        queue.push_back(slot);
        return 0;
    }
    void unprepare(int) override {}
    void start() override {
        log_.push_back("in.start");
        started = true;
    }
    void reset() override {
        ++resets;
        for (int slot : queue) notices.push_back(slot);
        queue.clear();
        started = false;
    }
    int close() override {
        if (!isOpen)
            return 5;
        if (closeResult != 0)
            return closeResult;
        if (!queue.empty())
            return 33;
        isOpen = false;
        ++closes;
        return 0;
    }
    std::uint32_t positionSamples() override { return position; }
    std::uint32_t bytesRecorded(int slot) override { return buffers[slot].filled; }

    // Puts `bytes` of `pattern` (repeated) into the oldest queued buffer; with
    // `complete` the buffer is done and its slot returned for the notice.
    int fill(const std::vector<std::uint8_t>& pattern, std::uint32_t bytes, bool complete = true) {
        if (queue.empty())
            return -1;
        const int slot = queue.front();
        Buffer& b = buffers[slot];
        for (std::uint32_t i = 0; i < bytes && b.filled < b.size; ++i)
            b.data[b.filled++] = pattern[i % pattern.size()];
        if (!complete)
            return slot;
        queue.pop_front();
        return slot;
    }

    struct Buffer {
        std::uint8_t* data = nullptr;
        std::uint32_t size = 0;
        std::uint32_t filled = 0;
    };
    int openResult = 0;
    int closeResult = 0;
    int failAddAfter = -1;
    bool isOpen = false;
    bool started = false;
    int resets = 0;
    int closes = 0;
    std::uint32_t position = 0;
    std::vector<WaveFormat> opened;
    std::map<int, Buffer> buffers;
    std::deque<int> queue;
    std::deque<int> notices;

  private:
    CallLog& log_;
};

class FakeSequencer : public SequencerDevice {
  public:
    static constexpr Error kFileNotFound = 275;

    explicit FakeSequencer(CallLog& log) : log_(log) {}

    Error open(const std::string& path, DeviceId& id) override {
        log_.push_back("midi.open");
        const auto file = files.find(path);
        if (file == files.end())
            return kFileNotFound;
        id = nextId++;
        openIds.push_back(id);
        lengths[id] = file->second;
        return 0;
    }
    Error setMilliseconds(DeviceId) override { return setResult; }
    Error play(DeviceId id, std::uint32_t fromMs) override {
        log_.push_back("midi.play");
        if (playResult != 0)
            return playResult;
        plays.push_back(fromMs);
        playingId = id;
        return 0;
    }
    std::uint32_t positionMs(DeviceId) override { return position; }
    std::uint32_t lengthMs(DeviceId id) override { return lengths[id]; }
    void close(DeviceId id) override {
        ++closes;
        std::erase(openIds, id);
        // Closing a playing device aborts its play, and says so.
        if (playingId == id) {
            notices.push_back(kNotifyAborted);
            playingId = 0;
        }
    }
    std::optional<std::string> errorText(Error error) override {
        const auto t = texts.find(error);
        if (t == texts.end())
            return std::nullopt;
        return t->second;
    }

    // The playing file reached its end: the notice's flags.
    std::uint32_t finish() {
        playingId = 0;
        return kNotifySuccessful;
    }
    std::vector<std::uint32_t> takeNotices() {
        std::vector<std::uint32_t> n(notices.begin(), notices.end());
        notices.clear();
        return n;
    }

    std::map<std::string, std::uint32_t> files;  // path -> length in ms
    std::map<Error, std::string> texts;
    Error setResult = 0;
    Error playResult = 0;
    std::uint32_t position = 0;
    std::vector<std::uint32_t> plays;
    std::vector<DeviceId> openIds;
    DeviceId playingId = 0;
    int closes = 0;
    std::deque<std::uint32_t> notices;

  private:
    CallLog& log_;
    DeviceId nextId = 1;
    std::map<DeviceId, std::uint32_t> lengths;
};

}  // namespace brevant::testing
