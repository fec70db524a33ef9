// A transport over fake devices and a real song of generated WAVE tracks.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "engine_test_songs.h"
#include "fake_devices.h"
#include "fake_transport_view.h"
#include "recorder_settings.h"
#include "scripted_song_ui.h"
#include "song_project.h"
#include "track_list_view.h"
#include "transport.h"

namespace brevant::testing {

class LiveFixture : public ::testing::Test {
protected:
    Song& song() { return project.song(); }

    // A 16-bit track at 44100 Hz added through the song's own checks.
    std::string addTrack(const std::string& name, bool stereo, const std::vector<std::int16_t>& samples) {
        const std::string path = dir.file(name);
        writeWave(path, stereo ? 2 : 1, 44100, samples);
        EXPECT_TRUE(project.addTrack(path, 44100)) << name;
        return path;
    }

    // The device plays its oldest buffer and says so.
    int playOne() {
        const int slot = out.playNext();
        if (slot >= 0) transport.refillPlayBuffer(slot);
        return slot;
    }
    void playUntilIdle() {
        while (playOne() >= 0) {
        }
    }
    void deliverOutputNotices() {
        for (int slot : out.takeNotices()) transport.refillPlayBuffer(slot);
    }
    void deliverInputNotices() {
        std::vector<int> n(in.notices.begin(), in.notices.end());
        in.notices.clear();
        for (int slot : n) transport.onInputData(slot, in.bytesRecorded(slot));
    }
    void deliverMidiNotices() {
        for (std::uint32_t flags : seq.takeNotices()) transport.onMidiNotify(flags);
    }

    // Every sample written to the output, in the order written.
    std::vector<std::int16_t> writtenSamples(std::size_t fromWrite = 0) const {
        std::vector<std::int16_t> s;
        for (std::size_t w = fromWrite; w < out.written.size(); ++w) {
            const auto& b = out.written[w].bytes;
            for (std::size_t i = 0; i + 1 < b.size(); i += 2) {
                s.push_back(static_cast<std::int16_t>(b[i] | (b[i + 1] << 8)));
            }
        }
        return s;
    }

    std::vector<std::string> boxTexts() const {
        std::vector<std::string> t;
        for (const Box& b : view.boxes) t.push_back(b.text);
        return t;
    }

    TempDir dir;
    ScriptedSongUi ui;
    TrackListModel list;
    SongProject project{ui, list};
    RecorderSettings settings;
    FakeTransportView view;
    CallLog log;
    FakeWaveOut out{log};
    FakeWaveIn in{log};
    FakeSequencer seq{log};
    Transport transport{project, settings, view, out, in, seq};
};

}  // namespace brevant::testing
