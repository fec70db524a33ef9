// The live engines on Wine's real devices: what is played is captured into a
// file by ALSA and compared with the render of the same song; what is
// recorded is fed from a file of one repeated frame. The sequencer opens,
// measures and seeks but has no MIDI output to play on.
#include <gtest/gtest.h>

#include <windows.h>
// after windows.h, which it needs
#include <mmsystem.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "device_notices.h"
#include "engine_test_songs.h"
#include "fake_transport_view.h"
#include "mci_sequencer.h"
#include "scripted_song_ui.h"
#include "song_project.h"
#include "song_renderer.h"
#include "transport.h"
#include "wave_file_reader.h"
#include "winmm_wave_in.h"
#include "winmm_wave_out.h"

namespace brevant::testing {
namespace {

// The recorded frame: one mono sample whose two bytes differ, so that a
// capture shifted by a byte would show.
constexpr std::int16_t kFedSample = 0x1234;

std::string windowsPath(const char* unixPath) {
    return std::string("Z:") + unixPath;
}

std::vector<std::uint8_t> fileBytes(const std::string& path) {
    return readBytes(path);
}

// Drops every all-zero frame: under load Wine fills the gaps in its own
// feeding of the device with runs of silence, inside the song as well as
// after it. The songs played here have no silent frame of their own.
std::vector<std::uint8_t> withoutSilentFrames(const std::vector<std::uint8_t>& bytes,
                                              std::size_t frameBytes) {
    std::vector<std::uint8_t> kept;
    for (std::size_t at = 0; at + frameBytes <= bytes.size(); at += frameBytes) {
        const auto frame = bytes.begin() + static_cast<std::ptrdiff_t>(at);
        if (std::any_of(frame, frame + static_cast<std::ptrdiff_t>(frameBytes),
                        [](std::uint8_t b) { return b != 0; }))
            kept.insert(kept.end(), frame, frame + static_cast<std::ptrdiff_t>(frameBytes));
    }
    return kept;
}

// The feed must exist before the first wave input opens.
class FeedFile : public ::testing::Environment {
  public:
    void SetUp() override {
        std::vector<std::int16_t> samples(44100 * 30, kFedSample);
        writeBytes(windowsPath(BREVANT_LIVE_FEED_FILE), sampleBytes(samples));
    }
};

const auto* const kFeed = ::testing::AddGlobalTestEnvironment(new FeedFile);

class LiveRig;
LiveRig* activeRig = nullptr;

// A hidden window receives the devices' notices, as the mixer panel will.
class LiveRig {
  public:
    LiveRig()
        : window_(makeWindow()),
          output(window_),
          input(window_),
          sequencer(window_),
          project(ui, list),
          transport(project, settings, view, output, input, sequencer) {
        activeRig = this;
    }
    ~LiveRig() {
        transport.stopTransport(StopMode::Both);
        pump(200);
        activeRig = nullptr;
        DestroyWindow(window_);
    }
    LiveRig(const LiveRig&) = delete;
    LiveRig& operator=(const LiveRig&) = delete;

    // Runs the message loop, with a display tick every 100 ms, until `done`
    // or `timeoutMs`.
    bool pumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
        const DWORD start = GetTickCount();
        DWORD lastTick = start;
        while (!done()) {
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
            const DWORD now = GetTickCount();
            if (now - lastTick >= 100) {
                transport.onTimerTick();
                lastTick = now;
            }
            if (now - start > timeoutMs)
                return false;
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        }
        return true;
    }
    void pump(DWORD ms) {
        pumpUntil([] { return false; }, ms);
    }

    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        if (activeRig != nullptr && message == MM_WOM_DONE)
            activeRig->outputNotices.push_back(lParam);
        if (activeRig != nullptr &&
            dispatchDeviceNotice(activeRig->transport, {activeRig->output, activeRig->input},
                                 message, wParam, lParam)) {
            if (message == MM_MCINOTIFY)
                activeRig->midiNotices.push_back(static_cast<std::uint32_t>(wParam));
            return 0;
        }
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }

  private:
    static HWND makeWindow() {
        static const bool registered = [] {
            WNDCLASSA wc{};
            wc.lpfnWndProc = windowProc;
            wc.hInstance = GetModuleHandleA(nullptr);
            wc.lpszClassName = "BrevantLiveDevicesTest";
            return RegisterClassA(&wc) != 0;
        }();
        EXPECT_TRUE(registered);
        return CreateWindowA("BrevantLiveDevicesTest", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
    }

    HWND window_;

  public:
    WinmmWaveOut output;
    WinmmWaveIn input;
    MciSequencer sequencer;
    ScriptedSongUi ui;
    TrackListModel list;
    SongProject project;
    RecorderSettings settings;
    FakeTransportView view;
    Transport transport;
    std::vector<std::uint32_t> midiNotices;
    std::vector<LPARAM> outputNotices;
    TempDir dir;
};

// Samples that are never zero, so that the device's trailing silence can be
// told from the song.
std::vector<std::int16_t> signal(std::size_t n, int first) {
    std::vector<std::int16_t> v(n);
    for (std::size_t i = 0; i < n; ++i)
        v[i] = static_cast<std::int16_t>(1 + (first + static_cast<int>(i) * 7) % 12000);
    return v;
}

struct QuietRender : RenderEvents {
    void showMessage(const std::string& text, const std::string&) override {
        messages.push_back(text);
    }
    void setProgressRange(std::int64_t) override {}
    void stepProgress() override {}
    void finished(RenderOutcome) override {}
    std::vector<std::string> messages;
};

std::string addTrack(LiveRig& rig, const std::string& name, bool stereo,
                     const std::vector<std::int16_t>& samples) {
    const std::string path = rig.dir.file(name);
    writeWave(path, stereo ? 2 : 1, 44100, samples);
    EXPECT_TRUE(rig.project.addTrack(path, 44100));
    return path;
}

TEST(LiveDevicesTest, PlaybackCapturedIsTheRenderOfTheSong) {
    LiveRig rig;
    const std::string first = addTrack(rig, "a.wav", true, signal(44100 * 2 * 2 + 999, 3));
    addTrack(rig, "b.wav", false, signal(44100 * 1 + 321, 11));
    rig.project.song().track(1).pan = 150;
    rig.transport.recomputeGains();

    rig.transport.playCommand();
    ASSERT_TRUE(rig.transport.playing()) << (rig.view.boxes.empty() ? "" : rig.view.boxes[0].text);
    EXPECT_FALSE(DeleteFileA(first.c_str())) << "the track is open while it plays";
    ASSERT_TRUE(rig.pumpUntil([&] { return !rig.transport.playing(); }, 20000))
        << "the song never ended";
    // The end of the song closes every track file: it can be replaced now.
    const std::string copy = rig.dir.file("copy.wav");
    ASSERT_TRUE(CopyFileA(first.c_str(), copy.c_str(), FALSE));
    EXPECT_TRUE(DeleteFileA(first.c_str()));
    ASSERT_TRUE(MoveFileA(copy.c_str(), first.c_str()));
    EXPECT_TRUE(rig.view.boxes.empty());
    EXPECT_TRUE(rig.view.isEnabled(TransportControl::Play));

    QuietRender events;
    SongRenderer renderer(events);
    const std::string renderPath = rig.dir.file("render.wav");
    ASSERT_EQ(renderer.render(rig.project.song(), renderPath, 2), RenderOutcome::Completed);
    WaveFileReader reader;
    ASSERT_EQ(reader.open(renderPath), WaveOpenError::None);
    ASSERT_EQ(reader.findData(), WaveOpenError::None);
    std::vector<std::uint8_t> rendered(static_cast<std::size_t>(reader.dataSize()));
    ASSERT_EQ(reader.read(rendered.data(), rendered.size()),
              static_cast<std::int64_t>(rendered.size()));
    reader.close();

    const auto played = withoutSilentFrames(fileBytes(windowsPath(BREVANT_LIVE_PLAY_FILE)), 4);
    const auto expected = withoutSilentFrames(rendered, 4);
    ASSERT_TRUE(std::equal(expected.begin(), expected.end(), rendered.begin()))
        << "the song's only silence pads its last block";
    ASSERT_EQ(played.size(), expected.size());
    EXPECT_TRUE(played == expected);
}

TEST(LiveDevicesTest, RecordingFromTheFeedMakesATakeOfTheFedFrames) {
    LiveRig rig;
    rig.view.takePaths.push_back(rig.dir.file("take"));
    rig.transport.recordCommand();
    ASSERT_TRUE(rig.transport.recording())
        << (rig.view.boxes.size() > 1 ? rig.view.boxes[1].text : "");
    rig.pumpUntil([&] { return rig.transport.recorder().recordedSamples() > 44100; }, 10000);
    const std::uint32_t recordedAtStop = rig.transport.recorder().recordedSamples();
    rig.transport.stopTransport(StopMode::Recording);
    rig.pump(200);

    ASSERT_EQ(rig.project.song().trackCount, 1) << "the take joined the song";
    const std::string take = rig.dir.file("take.wav");
    const std::string moved = rig.dir.file("moved.wav");
    EXPECT_TRUE(MoveFileA(take.c_str(), moved.c_str())) << "the stop closed the take";
    ASSERT_TRUE(MoveFileA(moved.c_str(), take.c_str()));
    EXPECT_EQ(rig.project.song().track(0).fileName, take);
    WaveFileReader reader;
    ASSERT_EQ(reader.open(take), WaveOpenError::None);
    EXPECT_EQ(reader.format(), rig.settings.recordFormat);
    ASSERT_EQ(reader.findData(), WaveOpenError::None);
    std::vector<std::int16_t> samples(static_cast<std::size_t>(reader.dataSize() / 2));
    ASSERT_GT(samples.size(), 4000u);
    // The buffer being filled at the stop is kept: the take runs to the stop,
    // not to the last full buffer before it.
    EXPECT_GE(samples.size(), recordedAtStop);
    ASSERT_EQ(reader.read(samples.data(), samples.size() * 2),
              static_cast<std::int64_t>(samples.size() * 2));
    const auto fed = std::count(samples.begin(), samples.end(), kFedSample);
    const auto silent = std::count(samples.begin(), samples.end(), std::int16_t{0});
    EXPECT_GT(fed, static_cast<std::ptrdiff_t>(samples.size() / 2)) << "mostly the fed frames";
    EXPECT_EQ(fed + silent, static_cast<std::ptrdiff_t>(samples.size()))
        << "nothing but fed frames and silence";
}

TEST(LiveDevicesTest, PlayAndRecordTogetherAddsTheTakeWhenTheSongEnds) {
    LiveRig rig;
    const auto track = signal(44100 * 3 + 77, 5);
    addTrack(rig, "a.wav", false, track);
    rig.view.takePaths.push_back(rig.dir.file("over.wav"));
    rig.transport.recordCommand();
    ASSERT_TRUE(rig.transport.recording());
    ASSERT_TRUE(rig.transport.playing());
    EXPECT_TRUE(rig.transport.playback().monoPlayback());

    rig.pumpUntil([&] { return rig.transport.recorder().recordedSamples() > 4410; }, 10000);
    ASSERT_TRUE(rig.transport.playing()) << "the song is longer than the take";
    rig.transport.stopTransport(StopMode::Recording);
    EXPECT_TRUE(rig.transport.takeWaiting());
    ASSERT_TRUE(rig.pumpUntil([&] { return !rig.transport.playing(); }, 20000));
    EXPECT_FALSE(rig.transport.takeWaiting());
    ASSERT_EQ(rig.project.song().trackCount, 2);
    EXPECT_EQ(rig.project.song().track(1).fileName, rig.dir.file("over.wav"));

    // The mono mix of one mono track at full volume is the track itself.
    const auto played = withoutSilentFrames(fileBytes(windowsPath(BREVANT_LIVE_PLAY_FILE)), 2);
    EXPECT_EQ(played, sampleBytes(track));
}

TEST(LiveDevicesTest, SeekWhilePlayingRestartsOnTheDevice) {
    LiveRig rig;
    addTrack(rig, "a.wav", false, signal(44100 * 6, 1));
    rig.transport.playCommand();
    rig.pump(300);
    rig.transport.onPositionSlider(4, 5);
    ASSERT_TRUE(rig.pumpUntil([&] { return !rig.transport.playback().seeking(); }, 5000))
        << "never restarted";
    EXPECT_TRUE(rig.transport.playing());
    EXPECT_EQ(rig.project.song().startSeconds, 5);
    ASSERT_TRUE(rig.pumpUntil([&] { return !rig.transport.playing(); }, 10000));
    EXPECT_TRUE(rig.view.boxes.empty());
}

// A standard MIDI file of one note lasting `quarters` quarter notes at the
// default 120 beats a minute.
void writeMidiFile(const std::string& path, std::uint8_t quarters) {
    const std::uint32_t ticks = 96u * quarters;
    std::vector<std::uint8_t> track = {0x00,
                                       0x90,
                                       0x3C,
                                       0x40,
                                       static_cast<std::uint8_t>(0x80 | (ticks >> 7)),
                                       static_cast<std::uint8_t>(ticks & 0x7F),
                                       0x80,
                                       0x3C,
                                       0x40,
                                       0x00,
                                       0xFF,
                                       0x2F,
                                       0x00};
    std::vector<std::uint8_t> bytes = {
        'M', 'T', 'h', 'd', 0,   0,   0,   6, 0, 0, 0,
        1,   0,   96,  'M', 'T', 'r', 'k', 0, 0, 0, static_cast<std::uint8_t>(track.size())};
    bytes.insert(bytes.end(), track.begin(), track.end());
    writeBytes(path, bytes);
}

TEST(LiveDevicesTest, SequencerOpensMeasuresAndSeeksAMidiFile) {
    LiveRig rig;
    const std::string midi = rig.dir.file("backing.mid");
    writeMidiFile(midi, 8);  // four seconds
    EXPECT_EQ(rig.transport.midi().midiLengthSeconds(midi), 4);
    rig.project.song().midiFile = midi;
    EXPECT_EQ(rig.transport.computeSongLength(), 4);
    EXPECT_EQ(rig.view.positionHigh, 4);

    MciSequencer& seq = rig.sequencer;
    SequencerDevice::DeviceId id = 0;
    ASSERT_EQ(seq.open(midi, id), 0u);
    EXPECT_EQ(seq.setMilliseconds(id), 0u);
    EXPECT_EQ(seq.lengthMs(id), 4000u);
    MCI_SEEK_PARMS to{};
    to.dwTo = 1500;
    EXPECT_EQ(mciSendCommandA(id, MCI_SEEK, MCI_TO, reinterpret_cast<DWORD_PTR>(&to)), 0u);
    EXPECT_EQ(seq.positionMs(id), 1500u);
    seq.close(id);

    // Play starts it (there is no MIDI output to advance it); Stop closes it.
    rig.transport.playCommand();
    EXPECT_TRUE(rig.transport.midiPlaying());
    EXPECT_FALSE(rig.view.isEnabled(TransportControl::Play));
    rig.transport.stopTransport(StopMode::Playback);
    EXPECT_FALSE(rig.transport.midiPlaying());
    rig.pump(300);
    EXPECT_TRUE(rig.view.isEnabled(TransportControl::Play));
    EXPECT_FALSE(rig.transport.midiPlaying());
    EXPECT_TRUE(rig.view.boxes.empty());
}

TEST(LiveDevicesTest, SeekWhileOnlyMidiPlaysReopensItAndIgnoresTheAbort) {
    LiveRig rig;
    const std::string midi = rig.dir.file("backing.mid");
    writeMidiFile(midi, 8);
    rig.project.song().midiFile = midi;
    rig.transport.playCommand();
    ASSERT_TRUE(rig.transport.midiPlaying());
    rig.transport.onPositionSlider(4, 2);
    EXPECT_TRUE(rig.transport.midiPlaying());
    rig.pump(500);
    // The closed play's notice says it was aborted; it neither stops the
    // reopened file nor is mistaken for its end.
    EXPECT_TRUE(rig.transport.midiPlaying());
    EXPECT_FALSE(rig.transport.midiRestart());
    EXPECT_FALSE(rig.midiNotices.empty());
    for (std::uint32_t flags : rig.midiNotices) EXPECT_EQ(flags, SequencerDevice::kNotifyAborted);
    EXPECT_TRUE(rig.view.timer);
    rig.transport.stopTransport(StopMode::Playback);
    EXPECT_FALSE(rig.view.timer);
}

TEST(LiveDevicesTest, MissingMidiFileShowsTheDeviceTextAndPlaysTheAudio) {
    LiveRig rig;
    addTrack(rig, "a.wav", false, signal(20000, 1));
    rig.project.song().midiFile = rig.dir.file("missing.mid");
    rig.transport.playCommand();
    ASSERT_FALSE(rig.view.boxes.empty());
    EXPECT_EQ(rig.view.boxes[0].caption, "MCI Error");
    EXPECT_TRUE(rig.view.boxes[0].warning);
    EXPECT_FALSE(rig.view.boxes[0].text.empty());
    EXPECT_TRUE(rig.transport.playing());
    EXPECT_FALSE(rig.transport.midiPlaying());
    EXPECT_EQ(rig.transport.midi().midiLengthSeconds(rig.dir.file("missing.mid")), 0);
}

TEST(LiveDevicesTest, AHeaderTheDriverHoldsIsNeitherReusedNorTakenForANotice) {
    LiveRig rig;
    ASSERT_EQ(rig.output.open(WaveFormat::pcm(2, 44100, 16)), 0);
    rig.output.pause();
    std::vector<std::int16_t> block(2 * 7680, 5);
    ASSERT_EQ(rig.output.write(0, block.data(), 30720), 0);
    EXPECT_EQ(rig.output.write(0, block.data(), 30720), WAVERR_STILLPLAYING)
        << "queued on the paused device";
    rig.output.reset();
    ASSERT_TRUE(rig.pumpUntil([&] { return !rig.outputNotices.empty(); }, 5000));
    // The same header queued again: a notice naming its address (a late one
    // from before) is not taken while the driver holds it, nor from another device.
    ASSERT_EQ(rig.output.write(0, block.data(), 30720), 0);
    EXPECT_EQ(rig.output.slotOfNotice(rig.outputNotices.front()), -1);
    rig.output.reset();
    rig.pump(200);
    EXPECT_EQ(rig.output.slotOfNotice(1, rig.outputNotices.front()), -1);
    rig.output.unprepare(0);
    EXPECT_EQ(rig.output.close(), 0);
}

TEST(LiveDevicesTest, ErrorTextsOfTheDevices) {
    LiveRig rig;
    EXPECT_EQ(rig.sequencer.errorText(0), std::nullopt) << "no text for success";
    EXPECT_FALSE(rig.output.errorText(MMSYSERR_NOMEM).empty());
    EXPECT_NE(rig.output.close(), 0) << "nothing open";
    EXPECT_NE(rig.input.close(), 0);
}

}  // namespace
}  // namespace brevant::testing
