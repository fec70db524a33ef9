// The recorder as a user meets it: the real brevant.exe, started in a fresh folder and driven
// from outside through its menus, buttons and the system's own dialogs and boxes.
#include "scenario_test.h"

#include "config_file.h"
#include "resource.h"
#include "song_file.h"
#include "wave_test_files.h"

namespace {

using namespace driver;
using namespace brevant;
namespace files = brevant::testing;

struct Quiet final : MessageSink {
    void showMessage(const std::string&, const std::string&) override {}
};

class RecorderScenario : public ScenarioTest {
  protected:
    // The sample song (four tracks, "demo.sng", "brevant.cfg") written into `folder`.
    void writeSample(const std::string& folder) {
        Program writer =
            Program::Start(HostPath(BREVANT_SAMPLE_SONG_EXE), "\"" + folder + "\"", folder);
        if (!writer.WaitForExit() || writer.ExitCode() != 0)
            Fail("the sample song was not written into " + folder);
    }
    // "long.sng": one mono track of a minute (the null sound device plays it in about 15 s),
    // and the configuration at its defaults.
    std::string writeLongSong() {
        const std::string track = InFolder("long.wav");
        std::vector<std::int16_t> samples(44100 * 60);
        for (std::size_t i = 0; i < samples.size(); ++i)
            samples[i] = static_cast<std::int16_t>(100 + i % 3000);
        files::writeWave(track, 1, 44100, samples);
        Song song;
        song.track(0).fileName = track;
        song.trackCount = 1;
        std::vector<std::uint8_t> bytes;
        writeSongFile(song, bytes);
        files::writeBytes(InFolder("long.sng"), bytes);
        Quiet quiet;
        saveConfig(InFolder("brevant.cfg"), Song{}, RecorderSettings{}, quiet);
        return InFolder("long.sng");
    }
    std::vector<std::string> tracksOf(const std::string& project) {
        SongFileContents saved;
        if (!readSongFile(files::readBytes(project), saved))
            Fail("cannot read " + project);
        std::vector<std::string> names;
        for (const Track& track : saved.tracks) names.push_back(track.fileName);
        return names;
    }
    std::uint32_t configuredFrequency(const std::string& path) {
        Song song;
        RecorderSettings settings;
        Quiet quiet;
        if (!loadConfig(path, song, settings, quiet))
            Fail("cannot read " + path);
        return settings.recordFormat.samplesPerSec;
    }
    Program startRecorder(const std::string& arguments, const std::string& folder) {
        Program program = Program::Start(HostPath(BREVANT_EXE), arguments, folder);
        main = program.Window("MyWin");
        program.WaitIdle();
        return program;
    }
    // Names a file in the system's file dialog that is up and accepts it with `button`
    // ("&Open" or "&Save": the file list also has the id IDOK). The dialog opens in the
    // program's folder; names are typed relative to it (a long typed path came out cut).
    void chooseInFileDialog(const Program& program, const std::string& path,
                            const std::string& button) {
        HWND box = program.Box();
        Retype(ControlById(box, 0x47c), path);  // the dialog's file name box
        ClickButton(box, button);
        WaitFor("the file dialog to close", [&] { return !IsWindow(box); });
        program.WaitIdle();
    }
    // Starts a take over the playing song, through the take's save dialog and "Ready?".
    void recordTake(const Program& program, const std::string& take) {
        Step("record a take over the song");
        ChooseMenu(main, IDC_REC);
        chooseInFileDialog(program, take, "&Save");
        driver::Answer(program, "OK");
        PumpFor(1500);
    }
    void exitWithoutQuestion(Program& program) {
        ChooseMenu(main, IDM_EXIT);
        if (!program.WaitForExit(5000))
            Fail("Exit asked a question or did not end the program");
    }

    HWND main = nullptr;
};

TEST_F(RecorderScenario, ATakeOverALongSongIsSavedByExit) {
    Run([&] {
        const std::string song = writeLongSong();
        Program program = startRecorder("long.sng", Folder());
        recordTake(program, "take.wav");
        Step("Exit, saving the song");
        ChooseMenu(main, IDM_EXIT);
        driver::Answer(program, "Yes");
        if (!program.WaitForExit())
            Fail("Exit did not end the program");
        EXPECT_EQ(tracksOf(song),
                  (std::vector<std::string>{InFolder("long.wav"), InFolder("take.wav")}));
    });
}

TEST_F(RecorderScenario, ATakeOverALongSongJoinsItsSongAtNewAndNotTheNewOne) {
    Run([&] {
        const std::string song = writeLongSong();
        Program program = startRecorder("long.sng", Folder());
        recordTake(program, "take.wav");
        Step("New, saving the song");
        ChooseMenu(main, IDM_NEW);
        driver::Answer(program, "Yes");
        program.WaitIdle();
        EXPECT_EQ(tracksOf(song).size(), 2u);
        EXPECT_NE(TextOf(main).find("noname.sng"), std::string::npos);
        PumpFor(2000);
        Step("Exit with the new song untouched");
        exitWithoutQuestion(program);
    });
}

TEST_F(RecorderScenario, ATakeOverALongSongJoinsItsSongAtOpenAndNotTheOpenedOne) {
    Run([&] {
        const std::string song = writeLongSong();
        const std::string other = InFolder("other.sng");
        files::writeBytes(other, files::readBytes(song));
        Program program = startRecorder("long.sng", Folder());
        recordTake(program, "take.wav");
        Step("Open another song, saving this one");
        ChooseMenu(main, IDM_OPEN);
        driver::Answer(program, "Yes");
        chooseInFileDialog(program, "other.sng", "&Open");
        EXPECT_EQ(tracksOf(song).size(), 2u);
        PumpFor(2000);
        Step("Exit with the opened song untouched");
        exitWithoutQuestion(program);
        EXPECT_EQ(tracksOf(other).size(), 1u);
    });
}

TEST_F(RecorderScenario, TheConfigurationStaysInTheStartFolderAfterInsertingFromAnother) {
    Run([&] {
        writeSample(Folder());
        const std::string elsewhere = InFolder("elsewhere");
        FreshFolder(elsewhere);
        WriteFileBytes(elsewhere + "\\extra.wav", ReadFileBytes(InFolder("bass.wav")));
        Program program = startRecorder("demo.sng", Folder());
        Step("Track > Insert from another folder");
        ChooseMenu(main, IDC_ADDTRACK);
        HWND open = program.Box();
        Retype(ControlById(open, 0x47c), "elsewhere");  // browses into the folder
        ClickButton(open, "&Open");
        program.WaitIdle();
        chooseInFileDialog(program, "extra.wav", "&Open");
        EXPECT_EQ(Items(ControlById(main, IDC_TRACKLIST)).size(), 5u);
        Step("Preferences: 22050 Hz");
        ChooseMenu(main, IDM_PREFERENCES);
        HWND preferences = program.Box();
        ClickButton(preferences, IDC_FREQ_22050);
        ClickButton(preferences, IDOK);
        program.WaitIdle();
        Step("Exit without saving the song");
        ChooseMenu(main, IDM_EXIT);
        driver::Answer(program, "No");
        if (!program.WaitForExit())
            Fail("Exit did not end the program");
        EXPECT_EQ(configuredFrequency(InFolder("brevant.cfg")), 22050u);
        EXPECT_EQ(FilesIn(elsewhere), std::vector<std::string>{"extra.wav"});
    });
}

TEST_F(RecorderScenario, TrackInsertOfA24BitFileAddsA16BitCopyBesideIt) {
    Run([&] {
        writeSample(Folder());
        const std::vector<std::uint8_t> data(44100 * 3 * 20, 0x35);  // 20 s of 24-bit mono
        const auto fmt = files::pcmFormatBytes(1, configuredFrequency(InFolder("brevant.cfg")), 24);
        const auto original = files::riffBytes("WAVE", {{"fmt ", fmt}, {"data", data}});
        files::writeBytes(InFolder("take24.wav"), original);
        Program program = startRecorder("demo.sng", Folder());
        Step("Track > Insert of a 24-bit file");
        ChooseMenu(main, IDC_ADDTRACK);
        chooseInFileDialog(program, "take24.wav", "&Open");
        WaitFor("the converted track in the list", [&] {
            return Items(ControlById(main, IDC_TRACKLIST)).back() ==
                   InFolder("take24 (16-bit).wav");
        });
        EXPECT_EQ(files::dataSamples(files::readBytes(InFolder("take24 (16-bit).wav"))).size(),
                  data.size() / 3);
        EXPECT_EQ(files::readBytes(InFolder("take24.wav")), original);
    });
}

TEST_F(RecorderScenario, TrackRemoveIsRefusedWhilePlaying) {
    Run([&] {
        writeSample(Folder());
        Program program = startRecorder("demo.sng", Folder());
        HWND list = ControlById(main, IDC_TRACKLIST);
        Step("Play, then Track > Remove");
        ClickButton(main, IDC_PLAY);
        WaitFor("Remove to be greyed",
                [&] { return !IsEnabled(ControlById(main, IDC_REMOVETRACK)); });
        ChooseMenu(main, IDC_REMOVETRACK);
        program.WaitIdle();
        EXPECT_EQ(Items(list).size(), 4u);
        EXPECT_FALSE(program.HasBox());
        Step("stopplay, then Track > Remove");
        ClickButton(main, IDC_STOPPLAY);
        // While playing, the sound device's notices queue ahead of the click: a few quiet
        // round trips are no sign that the stop has run.
        WaitFor("Remove to be offered again",
                [&] { return IsEnabled(ControlById(main, IDC_REMOVETRACK)); });
        ChooseMenu(main, IDC_REMOVETRACK);
        WaitFor("the track to go", [&] { return Items(list).size() == 3u; });
    });
}

TEST_F(RecorderScenario, TheSessionsEndDuringATakeKeepsTheTakeTheSongAndTheSettings) {
    Run([&] {
        const std::string song = writeLongSong();
        Program program = startRecorder("long.sng", Folder());
        DeleteFileA(InFolder("brevant.cfg").c_str());
        recordTake(program, "take.wav");
        Step("logoff: WM_QUERYENDSESSION, the save prompt, WM_ENDSESSION");
        PostMessageA(main, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF);
        driver::Answer(program, "Yes");
        program.WaitIdle();
        SendBounded(main, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
        if (!program.WaitForExit())
            Fail("the program did not end with the session");
        const std::vector<std::uint8_t> take = files::readBytes(InFolder("take.wav"));
        ASSERT_GE(take.size(), 46u);
        const std::size_t riff =
            take[4] | take[5] << 8 | take[6] << 16 | std::size_t{take[7]} << 24;
        EXPECT_EQ(riff, take.size() - 8);
        EXPECT_EQ(files::dataSamples(take).size() * 2, take.size() - 46);
        EXPECT_EQ(tracksOf(song).size(), 2u);
        EXPECT_EQ(ReadFileBytes(InFolder("brevant.cfg")).size(), 292u);
    });
}

TEST_F(RecorderScenario, TheSessionsEndUnderADialogClosesTheWindowOnceTheDialogReturns) {
    Run([&] {
        writeSample(Folder());
        Program program = startRecorder("demo.sng", Folder());
        DeleteFileA(InFolder("brevant.cfg").c_str());
        ChooseMenu(main, IDM_PREFERENCES);
        HWND preferences = program.Box();
        Step("a forced end of the session while Preferences is up");
        SendBounded(main, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
        program.WaitIdle();
        ASSERT_TRUE(IsWindow(preferences));
        ASSERT_TRUE(IsWindow(main));
        EXPECT_TRUE(FileExists(InFolder("brevant.cfg")));
        ClickButton(preferences, "Cancel");
        if (!program.WaitForExit())
            Fail("the program did not end once Preferences closed");
        EXPECT_EQ(program.ExitCode(), 0u);
    });
}

TEST_F(RecorderScenario, TheSystemMenusAboutShowsTheAboutBoxWhereF1OpensTheHelp) {
    Run([&] {
        writeSample(Folder());
        Program program = startRecorder("demo.sng", Folder());
        PostMessageA(main, WM_SYSCOMMAND, IDM_ABOUT, 0);
        HWND about = program.Box();
        EXPECT_NE(BoxText(about).find("Brevant multitrack recorder"), std::string::npos);
        Step("F1 in the box opens the help");
        Press(about, "F1");
        program.Window("Brevant Help");
        driver::Answer(program, "OK");
        exitWithoutQuestion(program);
    });
}

TEST_F(RecorderScenario, RenderThroughTheDialogGivesTheCompanionsFile) {
    Run([&] {
        writeSample(Folder());
        Program program = startRecorder("demo.sng", Folder());
        Step("File > Render song into mix.wav");
        ChooseMenu(main, IDM_RENDER);
        chooseInFileDialog(program, "mix", "&Save");
        EXPECT_EQ(driver::Answer(program, "OK"), "Rendering completed");
        exitWithoutQuestion(program);
        EXPECT_TRUE(FileExists(InFolder("brevant.cfg")));
        Step("brevant-render on the same song");
        Program render =
            Program::Start(HostPath(BREVANT_RENDER_EXE), "demo.sng reference.wav", Folder());
        if (!render.WaitForExit(60000) || render.ExitCode() != 0)
            Fail("brevant-render failed");
        EXPECT_TRUE(ReadFileBytes(InFolder("mix.wav")) == ReadFileBytes(InFolder("reference.wav")));
    });
}

TEST_F(RecorderScenario, MixerControlsSeekAndTheToolBarsSaveAsKeepWhatTheUserSet) {
    Run([&] {
        writeSample(Folder());
        Program program = startRecorder("demo.sng", Folder());
        const auto original = files::readBytes(InFolder("demo.sng"));
        SongFileContents before;
        ASSERT_TRUE(readSongFile(original, before));
        ASSERT_GE(before.tracks.size(), 3u);
        HWND mixer = GetParent(ControlById(main, IDC_STRIP0_MUTE));
        Step("mute the first strip; the second's pan, the third's volume and the boost moved");
        ClickButton(mixer, IDC_STRIP0_MUTE);
        WaitFor("the mute box ticked",
                [&] { return IsChecked(ControlById(mixer, IDC_STRIP0_MUTE)); });
        // Each change gives the keys back to the main window: one key per slider.
        for (int slider : {IDC_STRIP1_PAN, IDC_STRIP2_VOLUME, IDC_BOOST}) {
            Focus(ControlById(mixer, slider));
            Press(mixer, slider == IDC_STRIP1_PAN ? "Home" : "End");
        }
        Step("seek to the song's end with the position slider");
        HWND playTime = ControlById(main, IDC_PLAYTIME);
        const std::string start = TextOf(playTime);
        Focus(ControlById(main, IDC_POSITION));
        Press(main, "End");
        WaitFor("the play time to show the new position",
                [&] { return TextOf(playTime) != start; });
        Step("Save As from the tool bar");
        ClickToolButton(ControlById(main, IDC_TOOLBAR), IDM_SAVE_AS);
        chooseInFileDialog(program, "saved.sng", "&Save");
        SongFileContents saved;
        ASSERT_TRUE(readSongFile(files::readBytes(InFolder("saved.sng")), saved));
        ASSERT_EQ(saved.tracks.size(), before.tracks.size());
        EXPECT_EQ(saved.tracks[0].muted, 1);
        EXPECT_NE(saved.tracks[1].pan, before.tracks[1].pan);
        EXPECT_NE(saved.tracks[2].volume, before.tracks[2].volume);
        EXPECT_NE(saved.boost, before.boost);
        EXPECT_EQ(saved.tracks[3], before.tracks[3]);
        Step("Exit asks nothing of a saved song");
        exitWithoutQuestion(program);
        EXPECT_EQ(files::readBytes(InFolder("demo.sng")), original);
    });
}

}  // namespace
