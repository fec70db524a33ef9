// Drives the real recorder window inside the test process: the commands reach
// the song and the engines, and the panels show what the song says.
#include <gtest/gtest.h>

#include "recorder_window_win32.h"

#include <commctrl.h>
#include <mmsystem.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <deque>
#include <functional>

#include "command_rules.h"
#include "config_file.h"
#include "preferences_form.h"
#include "resource.h"
#include "song_file.h"
#include "song_renderer.h"
#include "wave_test_files.h"

namespace brevant {
namespace {

using namespace brevant::testing;
using Clock = std::chrono::steady_clock;

std::string windowsPath(const char* unixPath) {
    return std::string("Z:") + unixPath;
}

// Recording reads a constant frame pattern; the file must exist before the first input opens.
struct FeedFile : ::testing::Environment {
    void SetUp() override {
        writeBytes(windowsPath(BREVANT_WINDOW_FEED_FILE),
                   sampleBytes(std::vector<std::int16_t>(88200, 1234)));
    }
};
const auto* const kFeed = ::testing::AddGlobalTestEnvironment(new FeedFile);

// Every box, file dialog and modal dialog must be expected by the test.
struct ScriptedDialogs final : RecorderDialogs {
    struct Box {
        std::string text, caption;
        int answer = IDOK;
    };
    std::deque<Box> boxes;
    std::deque<std::optional<std::string>> files;
    std::deque<std::function<void(HWND)>> scripts;
    std::vector<int> dialogsRun;
    std::vector<std::string> processes;
    int boxUpMs = 0;  // a box stays up this long, its modal loop dispatching what arrives

    int messageBox(HWND, const std::string& text, const char* caption, UINT) override {
        for (const auto end = Clock::now() + std::chrono::milliseconds(boxUpMs);
             Clock::now() < end;) {
            MSG message;
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        }
        if (boxes.empty()) {
            ADD_FAILURE() << "unexpected box: " << text;
            return IDCANCEL;
        }
        const Box box = boxes.front();
        boxes.pop_front();
        EXPECT_EQ(text, box.text);
        EXPECT_EQ(caption == nullptr ? "(default)" : caption, box.caption) << text;
        return box.answer;
    }
    bool openFileName(OPENFILENAMEA& request) override { return answer(request); }
    bool saveFileName(OPENFILENAMEA& request) override { return answer(request); }
    INT_PTR modalDialog(HWND owner, int resource, DLGPROC procedure, LPARAM parameter) override;
    void startProcess(const std::string& line) override { processes.push_back(line); }

  private:
    bool answer(OPENFILENAMEA& request) {
        if (files.empty()) {
            ADD_FAILURE() << "unexpected file dialog: " << request.lpstrTitle;
            return false;
        }
        const auto file = files.front();
        files.pop_front();
        if (!file)
            return false;
        lstrcpynA(request.lpstrFile, file->c_str(), static_cast<int>(request.nMaxFile));
        return true;
    }
};

// The dialog under test runs its own procedure; the script acts once it is up.
DLGPROC dialogProcedure = nullptr;
std::function<void(HWND)> dialogScript;
constexpr UINT kRunScript = WM_APP + 50;

INT_PTR CALLBACK scriptedProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kRunScript) {
        if (auto script = std::exchange(dialogScript, nullptr))
            script(dialog);
        return TRUE;
    }
    const INT_PTR result = dialogProcedure(dialog, message, wParam, lParam);
    if (message == WM_INITDIALOG)
        PostMessageA(dialog, kRunScript, 0, 0);
    return result;
}

INT_PTR ScriptedDialogs::modalDialog(HWND owner, int resource, DLGPROC procedure,
                                     LPARAM parameter) {
    dialogsRun.push_back(resource);
    if (scripts.empty()) {
        ADD_FAILURE() << "unexpected dialog " << resource;
        return IDCANCEL;
    }
    dialogProcedure = procedure;
    dialogScript = scripts.front();
    scripts.pop_front();
    return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resource), owner,
                           scriptedProc, parameter);
}

struct Quiet final : RenderEvents {
    void showMessage(const std::string&, const std::string&) override {}
    void setProgressRange(std::int64_t) override {}
    void stepProgress() override {}
    void finished(RenderOutcome) override {}
};

class RecorderWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        Quiet quiet;
        saveConfig(config(), Song{}, RecorderSettings{}, quiet);
    }
    void TearDown() override {
        if (RecorderState* state = recorderState(main)) {
            state->transport->stopTransport(StopMode::Both);
            DestroyWindow(main);
        }
        pumpFor(0);
        EXPECT_TRUE(dialogs.boxes.empty() && dialogs.files.empty() && dialogs.scripts.empty());
    }

    std::string config() const { return dir.file("brevant.cfg"); }
    bool menuGreyed(int id) {
        HMENU track = GetSubMenu(GetMenu(main), 1);
        SendMessageA(main, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(track), 1);
        return (GetMenuState(track, static_cast<UINT>(id), MF_BYCOMMAND) & MF_GRAYED) != 0;
    }
    std::string savePrompt(const std::string& song) {
        return "File " + song + " is modified. Save?";
    }
    void start(const std::string& song = {}) {
        main = startRecorder(GetModuleHandleA(nullptr), dialogs, {0, config(), song});
        ASSERT_NE(main, nullptr);
    }
    RecorderState& state() { return *recorderState(main); }
    void command(int id) { SendMessageA(main, WM_COMMAND, id, 0); }

    // The program's own loop, one message at a time; played buffers are timed.
    bool pumpUntil(const std::function<bool()>& done, int ms) {
        const auto end = Clock::now() + std::chrono::milliseconds(ms);
        for (;;) {
            MSG message;
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
                if (message.message == WM_QUIT)
                    continue;
                const auto before = Clock::now();
                dispatchRecorderMessage(main, message);
                if (message.message == MM_WOM_DONE) {
                    const auto spent = Clock::now() - before;
                    refillTime += spent;
                    refillMost = std::max(refillMost, spent);
                    ++refills;
                }
            }
            if (done())
                return true;
            if (Clock::now() >= end)
                return false;
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        }
    }
    void pumpFor(int ms) {
        pumpUntil([] { return false; }, ms);
    }

    std::string text(HWND panel, int id) {
        char buffer[256] = "";
        GetDlgItemTextA(panel, id, buffer, sizeof buffer);
        return buffer;
    }
    std::string statusPart(int part) {
        char buffer[256] = "";
        SendMessageA(state().statusBar, SB_GETTEXTA, part, reinterpret_cast<LPARAM>(buffer));
        return buffer;
    }
    POINT panelAt(HWND panel) {
        RECT r;
        GetWindowRect(panel, &r);
        POINT p{r.left, r.top};
        ScreenToClient(main, &p);
        return p;
    }
    bool enabled(int id) { return IsWindowEnabled(GetDlgItem(state().mixerPanel, id)) != FALSE; }

    // Mono tracks of `seconds` at 44100 Hz with no zero sample, and a project naming them.
    // Tracks after the first alternate stereo and mono.
    std::string writeSong(int tracks, int seconds) {
        Song song;
        for (int t = 0; t < tracks; ++t) {
            const std::uint16_t channels = t % 2 == 1 ? 2 : 1;
            std::vector<std::int16_t> samples(static_cast<std::size_t>(44100 * seconds * channels));
            for (std::size_t i = 0; i < samples.size(); ++i)
                samples[i] = static_cast<std::int16_t>(100 + (i * (t + 3)) % 4000);
            const std::string path = dir.file("track" + std::to_string(t) + ".wav");
            writeWave(path, channels, 44100, samples);
            song.track(t).fileName = path;
            song.track(t).stereo = channels - 1;
            song.track(t).listIndex = t;
        }
        song.trackCount = static_cast<std::int16_t>(tracks);
        std::vector<std::uint8_t> bytes;
        writeSongFile(song, bytes);
        writeBytes(dir.file("song.sng"), bytes);
        return dir.file("song.sng");
    }

    TempDir dir;
    ScriptedDialogs dialogs;
    HWND main = nullptr;
    Clock::duration refillTime{};
    Clock::duration refillMost{};
    int refills = 0;
};

TEST_F(RecorderWindow, FirstStartShowsTheDefaultsAndWritesTheConfigurationAtExit) {
    std::remove(config().c_str());
    dialogs.boxes.push_back({"File open error [ReadFile()].", "Error"});
    start();
    char title[64] = "";
    GetWindowTextA(main, title, sizeof title);
    EXPECT_STREQ(title, "Brevant - noname.sng");
    EXPECT_EQ(statusPart(0), "Freq: 44100");
    EXPECT_EQ(statusPart(1), "Mono");
    EXPECT_EQ(statusPart(2), "Tracks: 0");
    EXPECT_FALSE(enabled(IDC_STRIP0_VOLUME));
    EXPECT_FALSE(enabled(IDC_SEL_VOLUME));
    EXPECT_EQ(text(state().transportPanel, IDC_STATUS), "   ");
    EXPECT_EQ(panelAt(state().mixerPanel).x, 0);
    EXPECT_EQ(panelAt(state().mixerPanel).y, 50);
    EXPECT_EQ(panelAt(state().transportPanel).x, 503);
    SendMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(main));
    EXPECT_EQ(readBytes(config()).size(), 292u);
}

TEST_F(RecorderWindow, ConfigurationFileAndDraggedPanelsComeBackAtTheNextStart) {
    RecorderSettings settings;
    setRecordFormat(settings, 2, 22050, 16);
    Quiet quiet;
    saveConfig(config(), Song{}, settings, quiet);
    start();
    EXPECT_EQ(statusPart(0), "Freq: 22050");
    EXPECT_EQ(statusPart(1), "Stereo");
    HWND mixer = state().mixerPanel;
    SendMessageA(mixer, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    SendMessageA(mixer, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(40, 25));
    SendMessageA(mixer, WM_LBUTTONUP, 0, MAKELPARAM(40, 25));
    EXPECT_EQ(panelAt(mixer).x, 30);
    EXPECT_EQ(panelAt(mixer).y, 65);
    SendMessageA(main, WM_CLOSE, 0, 0);
    start();
    EXPECT_EQ(panelAt(state().mixerPanel).x, 30);
    EXPECT_EQ(panelAt(state().mixerPanel).y, 65);
    EXPECT_EQ(statusPart(1), "Stereo");
}

TEST_F(RecorderWindow, AddShortcutsSlidersEditorAndRemoveReachTheSong) {
    writeSong(1, 1);
    start();
    dialogs.files.push_back(dir.file("track0.wav"));
    command(IDC_ADDTRACK);
    EXPECT_EQ(SendDlgItemMessageA(state().mixerPanel, IDC_TRACKLIST, LB_GETCOUNT, 0, 0), 1);
    EXPECT_TRUE(enabled(IDC_STRIP0_VOLUME));
    EXPECT_FALSE(enabled(IDC_STRIP1_VOLUME));
    EXPECT_EQ(statusPart(2), "Tracks: 1");

    struct Key {
        char character;
        UINT scanCode;
        BYTE modifier;
        const char* volume;
        const char* pan;
    };
    const Key keys[] = {{'a', 0x1E, 0, "99", "0"},
                        {'Q', 0x10, VK_SHIFT, "100", "0"},
                        {1, 0x1E, VK_CONTROL, "100", "-1"}};
    for (const Key& key : keys) {
        BYTE keyboard[256] = {};
        keyboard[key.modifier] = 0x80;
        SetKeyboardState(keyboard);
        SendMessageA(main, WM_CHAR, static_cast<WPARAM>(key.character),
                     static_cast<LPARAM>(1 | (key.scanCode << 16)));
        EXPECT_EQ(text(state().mixerPanel, IDC_STRIP0_VOLTEXT), key.volume) << key.character;
        EXPECT_EQ(text(state().mixerPanel, IDC_STRIP0_PANTEXT), key.pan) << key.character;
    }
    BYTE keyboard[256] = {};
    SetKeyboardState(keyboard);

    HWND slider = GetDlgItem(state().mixerPanel, IDC_STRIP0_VOLUME);
    SendMessageA(slider, TBM_SETPOS, TRUE, 30);
    SendMessageA(state().mixerPanel, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 30),
                 reinterpret_cast<LPARAM>(slider));
    EXPECT_EQ(state().song().track(0).volume, 70);
    EXPECT_EQ(text(state().mixerPanel, IDC_SEL_VOLTEXT), " Volume: 70");

    state().settings.editorPath = "C:\\wave editor\\edit.exe";
    SendMessageA(state().mixerPanel, WM_COMMAND, MAKEWPARAM(IDC_TRACKLIST, LBN_DBLCLK), 0);
    EXPECT_EQ(dialogs.processes, std::vector<std::string>{editorCommandLine(
                                     state().settings.editorPath, dir.file("track0.wav"))});

    SendMessageA(state().mixerPanel, WM_COMMAND, IDCANCEL, 0);  // Escape in the panel
    pumpFor(0);
    ASSERT_TRUE(IsWindow(main));

    command(IDC_REMOVETRACK);
    EXPECT_EQ(SendDlgItemMessageA(state().mixerPanel, IDC_TRACKLIST, LB_GETCOUNT, 0, 0), 0);
    EXPECT_FALSE(enabled(IDC_STRIP0_VOLUME));
    EXPECT_EQ(statusPart(2), "Tracks: 0");
}

TEST_F(RecorderWindow, PlayReachesTheDeviceAsTheRenderWritesItAndRenderWaitsMeanwhile) {
    const std::string song = writeSong(10, 8);
    start(song);
    std::remove(windowsPath(BREVANT_WINDOW_PLAY_FILE).c_str());
    const auto before = Clock::now();
    command(IDC_PLAY);
    const auto playStart = Clock::now() - before;
    ASSERT_TRUE(state().transport->playing());
    command(IDM_RENDER);  // refused while playing: no dialog opens
    EXPECT_TRUE(dialogs.dialogsRun.empty());
    EXPECT_TRUE(pumpUntil([&] { return !state().transport->playing(); }, 30000));

    Quiet quiet;
    SongRenderer renderer(quiet);
    ASSERT_EQ(renderer.render(state().song(), dir.file("expected.wav"), 8),
              RenderOutcome::Completed);
    // The render pads its last block with silence and the device may append some: neither is the
    // song.
    const auto withoutTrailingSilence = [](std::vector<std::uint8_t> bytes) {
        while (bytes.size() >= 4 &&
               std::all_of(bytes.end() - 4, bytes.end(), [](std::uint8_t b) { return b == 0; }))
            bytes.resize(bytes.size() - 4);
        return bytes;
    };
    const auto played = withoutTrailingSilence(readBytes(windowsPath(BREVANT_WINDOW_PLAY_FILE)));
    const auto expected =
        withoutTrailingSilence(sampleBytes(dataSamples(readBytes(dir.file("expected.wav")))));
    EXPECT_EQ(played.size(), expected.size());
    EXPECT_TRUE(played == expected);
    std::printf(
        "figures: Play to ten buffers queued %.2f ms; %d played-buffer notices, %.3f ms each, at "
        "most %.3f ms\n",
        std::chrono::duration<double, std::milli>(playStart).count(), refills,
        refills ? std::chrono::duration<double, std::milli>(refillTime).count() / refills : 0.0,
        std::chrono::duration<double, std::milli>(refillMost).count());
}

TEST_F(RecorderWindow, ATakeJoinsTheSongAndExitDuringRecordingSavesIt) {
    const std::string song = writeSong(1, 2);
    start(song);
    const std::string take = dir.file("take.wav");
    dialogs.files.push_back(take);
    dialogs.boxes.push_back({"Ready?", "Record:"});
    command(IDC_REC);
    ASSERT_TRUE(state().transport->recording());
    pumpFor(1500);
    dialogs.boxes.push_back({"File " + song + " is modified. Save?", "Warning", IDYES});
    SendMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(main));
    SongFileContents saved;
    ASSERT_TRUE(readSongFile(readBytes(song), saved));
    ASSERT_EQ(saved.tracks.size(), 2u);
    EXPECT_EQ(saved.tracks[1].fileName, take);
    EXPECT_FALSE(dataSamples(readBytes(take)).empty());
}

TEST_F(RecorderWindow, RenderDialogCompletesAndStopEndsARefusedRender) {
    start(writeSong(1, 1));
    dialogs.scripts.push_back([](HWND) {});
    dialogs.files.push_back(dir.file("mix"));
    dialogs.boxes.push_back({"Rendering completed", "Rendering"});
    command(IDM_RENDER);
    EXPECT_GE(dataSamples(readBytes(dir.file("mix.wav"))).size(),
              2u * 44100u);  // stereo, whole blocks

    const std::string track = dir.file("track0.wav");
    dialogs.scripts.push_back([](HWND dialog) { SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0); });
    dialogs.files.push_back(track);
    dialogs.boxes.push_back(
        {SongRenderer::checkOutputPath(state().song(), track).message(), "Error:"});
    dialogs.boxes.push_back({"Operation aborted.", "User stop"});
    command(IDM_RENDER);
    EXPECT_EQ(dialogs.dialogsRun, (std::vector<int>{IDD_RENDER, IDD_RENDER}));
}

TEST_F(RecorderWindow, StopEndsARunningRenderWithAShorterFile) {
    start(writeSong(4, 60));
    dialogs.scripts.push_back([](HWND dialog) { SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0); });
    dialogs.files.push_back(dir.file("stopped.wav"));
    dialogs.boxes.push_back({"Operation aborted.", "User stop"});
    command(IDM_RENDER);
    const std::vector<std::uint8_t> file = readBytes(dir.file("stopped.wav"));
    ASSERT_GE(file.size(), 46u);
    EXPECT_LT(dataSamples(file).size(), 2u * 44100u * 60u);
}

TEST_F(RecorderWindow, PreferencesMidiAndHelpReachTheirModels) {
    start();
    dialogs.scripts.push_back([](HWND dialog) {
        CheckRadioButton(dialog, IDC_MONO, IDC_STEREO, IDC_STEREO);
        CheckRadioButton(dialog, IDC_FREQ_8000, IDC_FREQ_48000, IDC_FREQ_22050);
        SetDlgItemTextA(dialog, IDC_COMPENSATION, "150");
        SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    command(IDM_PREFERENCES);
    EXPECT_EQ(statusPart(0), "Freq: 22050");
    EXPECT_EQ(statusPart(1), "Stereo");
    EXPECT_EQ(state().song().compensation, 300);

    dialogs.scripts.push_back([](HWND dialog) {
        SetDlgItemTextA(dialog, IDC_MIDI_COMPENSATION, "-250");
        SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    command(IDM_MIDI);
    EXPECT_EQ(state().song().midiCompensationMs, -250);
    EXPECT_EQ(dialogs.dialogsRun, (std::vector<int>{IDD_PREFERENCES, IDD_MIDI}));

    command(IDM_HELP_KEYBOARD);
    ASSERT_NE(state().help, nullptr);
    EXPECT_NE(text(state().help, IDC_HELP_TEXT).find("KEYBOARD LAYOUT"), std::string::npos);
    MSG f1{main, WM_KEYDOWN, VK_F1, 0, 0, {}};
    dispatchRecorderMessage(main, f1);
    EXPECT_NE(text(state().help, IDC_HELP_TEXT).find("Contents"), std::string::npos);
}

TEST_F(RecorderWindow, AFolderNamedInTheAnsiCodePageServesTracksAndProjects) {
    const std::string folder = dir.file("caf\xe9 \x92s");  // "café ’s" in code page 1252
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    const std::string track = folder + "\\take.wav";
    writeWave(track, 1, 44100, std::vector<std::int16_t>(4410, 500));
    start();
    dialogs.files.push_back(track);
    command(IDC_ADDTRACK);
    EXPECT_EQ(statusPart(2), "Tracks: 1");
    dialogs.files.push_back(folder + "\\song.sng");
    command(IDM_SAVE_AS);
    SongFileContents saved;
    ASSERT_TRUE(readSongFile(readBytes(folder + "\\song.sng"), saved));
    ASSERT_EQ(saved.tracks.size(), 1u);
    EXPECT_EQ(saved.tracks[0].fileName, track);
    command(IDC_PLAY);
    EXPECT_TRUE(pumpUntil([&] { return !state().transport->playing(); }, 10000));
}

TEST_F(RecorderWindow, AReadFailingDuringPlaybackShowsOneBox) {
    start(writeSong(1, 20));
    command(IDC_PLAY);
    ASSERT_TRUE(state().transport->playing());
    // Cut the track under the player (the reader shares it, as the runtime opens files).
    HANDLE file =
        CreateFileA(dir.file("track0.wav").c_str(), GENERIC_WRITE,
                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    SetFilePointer(file, 64, nullptr, FILE_BEGIN);
    SetEndOfFile(file);
    CloseHandle(file);
    dialogs.boxUpMs = 1000;
    dialogs.boxes.push_back({"Failed to read data chunk (loading-1).", "(default)"});
    EXPECT_TRUE(pumpUntil([&] { return !state().transport->playing(); }, 20000));
    pumpFor(500);
}

TEST_F(RecorderWindow, TrackEditsAreGreyedAndRefusedWhilePlaying) {
    start(writeSong(2, 60));
    EXPECT_FALSE(menuGreyed(IDC_REMOVETRACK));
    command(IDC_PLAY);
    ASSERT_TRUE(state().transport->playing());
    EXPECT_TRUE(menuGreyed(IDC_REMOVETRACK));
    EXPECT_TRUE(menuGreyed(IDC_ADDTRACK));
    command(IDC_REMOVETRACK);
    command(IDC_ADDTRACK);  // no file dialog opens
    EXPECT_EQ(state().song().trackCount, 2);
    command(IDC_STOPPLAY);
    EXPECT_FALSE(menuGreyed(IDC_ADDTRACK));
    command(IDC_REMOVETRACK);
    EXPECT_EQ(state().song().trackCount, 1);
}

TEST_F(RecorderWindow, CancelAtExitOrTheSessionsEndKeepsTheProgramAndItsPlayback) {
    start(writeSong(1, 60));
    command(IDC_PLAY);
    state().song().modified = true;
    for (int end = 0; end < 2; ++end)
        dialogs.boxes.push_back({savePrompt(dir.file("song.sng")), "Warning", IDCANCEL});
    SendMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(SendMessageA(main, WM_QUERYENDSESSION, 0, 0), FALSE);
    SendMessageA(main, WM_ENDSESSION, FALSE, 0);
    ASSERT_TRUE(IsWindow(main));
    EXPECT_TRUE(state().transport->playing());
}

TEST_F(RecorderWindow, SmallerFaultsOfTheWindowStayMended) {
    RecorderSettings distant;
    distant.mixerPos = {5000, 4000};
    Quiet quiet;
    saveConfig(config(), Song{}, distant, quiet);
    start();
    RECT client;
    GetClientRect(main, &client);
    EXPECT_LT(panelAt(state().mixerPanel).x, client.right);
    EXPECT_LT(panelAt(state().mixerPanel).y, client.bottom);

    // A double click on the empty list opens no box.
    SendMessageA(state().mixerPanel, WM_COMMAND, MAKEWPARAM(IDC_TRACKLIST, LBN_DBLCLK), 0);

    dialogs.boxes.push_back(
        {std::string("Brevant multitrack recorder\nVersion ") + TOOLKIT_VERSION, "About Brevant"});
    SendMessageA(main, WM_SYSCOMMAND, IDM_ABOUT, 0);

    HELPINFO help{sizeof help, HELPINFO_WINDOW, 0, nullptr, 0, {}};
    SendMessageA(main, WM_HELP, 0, reinterpret_cast<LPARAM>(&help));
    ASSERT_NE(state().help, nullptr);
    EXPECT_NE(text(state().help, IDC_HELP_TEXT).find("Contents"), std::string::npos);

    // After the Add button the focus is the main window's, for the mixer keys.
    writeWave(dir.file("one.wav"), 1, 44100, std::vector<std::int16_t>(4410, 500));
    HWND add = GetDlgItem(state().mixerPanel, IDC_ADDTRACK);
    SetFocus(add);
    dialogs.files.push_back(dir.file("one.wav"));
    SendMessageA(state().mixerPanel, WM_COMMAND, MAKEWPARAM(IDC_ADDTRACK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(add));
    EXPECT_EQ(GetFocus(), main);

    // A drag ends when the capture goes, and leaves the dialogs' class cursor alone.
    HWND mixer = state().mixerPanel;
    const auto classCursor = GetClassLongPtrA(mixer, GCLP_HCURSOR);
    SendMessageA(mixer, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    EXPECT_TRUE(state().mixerDrag.dragging);
    EXPECT_EQ(GetClassLongPtrA(mixer, GCLP_HCURSOR), classCursor);
    ReleaseCapture();
    EXPECT_FALSE(state().mixerDrag.dragging);
}

TEST_F(RecorderWindow, AnOverlongEditorPathKeepsPreferencesOpenWithTheOtherChanges) {
    start();
    const std::string tooLong(300, 'e');
    PreferencesForm refused;
    refused.editorPath = tooLong;
    Song scratchSong;
    RecorderSettings scratchSettings;
    const std::string message = applyPreferences(refused, scratchSong, scratchSettings).message();
    dialogs.boxes.push_back({message, "Error"});
    dialogs.scripts.push_back([&](HWND dialog) {
        CheckRadioButton(dialog, IDC_FREQ_8000, IDC_FREQ_48000, IDC_FREQ_22050);
        SetDlgItemTextA(dialog, IDC_EDITOR_PATH, tooLong.c_str());
        SendMessageA(dialog, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(IsWindow(dialog));
        EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDC_EDITOR_PATH));
        EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_FREQ_22050), BST_CHECKED);
        SetDlgItemTextA(dialog, IDC_EDITOR_PATH, "C:\\edit.exe");
        SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    command(IDM_PREFERENCES);
    EXPECT_EQ(state().settings.editorPath, "C:\\edit.exe");
    EXPECT_EQ(statusPart(0), "Freq: 22050");
}

}  // namespace
}  // namespace brevant
