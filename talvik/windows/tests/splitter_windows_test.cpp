// Drives the real splitter windows inside the test process, through the program's own
// start function and message loop; the system's beep, error box and program start are
// answered by a scripted host.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "file_names.h"
#include "resource.h"
#include "settings_record.h"
#include "system_files.h"
#include "talvik_app_win32.h"
#include "temp_dir.h"
#include "track_builder.h"
#include "window_settings.h"

namespace talvik {
namespace {

class ScriptedHost : public TalvikHost {
  public:
    void beep() override { ++beeps; }
    void showError(HWND, const std::string& text) override { errors.push_back(text); }
    void showNotice(HWND, const std::string& text) override { notices.push_back(text); }
    bool startProgram(const std::string& commandLine, int show) override {
        started.push_back(commandLine + " /" + std::to_string(show));
        return startSucceeds;
    }
    int beeps = 0;
    std::vector<std::string> errors;  // every test expects none unless it says so
    std::vector<std::string> notices;
    std::vector<std::string> started;
    bool startSucceeds = true;
};

void WriteFile(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    std::FILE* f = OpenSystemFile(name, "wb");
    ASSERT_NE(f, nullptr) << name;
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

std::vector<std::uint8_t> Track(std::initializer_list<int> lengths) {
    testing::TrackBuilder t(SampleFormat::Raw8);
    t.quiet(50);
    for (int n : lengths) {
        t.loud(n).quiet(3000);
    }
    return t.bytes();
}

class SplitterWindowTest : public ::testing::Test {
  protected:
    void SetUp() override { dir = dirs.text(); }
    void TearDown() override {
        close();
        EXPECT_EQ(host.errors, std::vector<std::string>{});
    }

    void start() {
        state = std::make_unique<SplitterFormState>(host, dir);
        form = startTalvik(GetModuleHandleA(nullptr), *state, SW_SHOWNOACTIVATE);
        ASSERT_NE(form, nullptr);
    }
    // Ends the program the way a user does, through the message loop it runs.
    void close() {
        if (form != nullptr) {
            PostMessageA(form, WM_CLOSE, 0, 0);
            runMessageLoop(*state);
            form = nullptr;
        }
    }
    void click(int id, HWND window = nullptr) {
        SendDlgItemMessageA(window ? window : form, id, BM_CLICK, 0, 0);
    }
    void type(int id, const std::string& value, HWND window = nullptr) {
        SetDlgItemTextA(window ? window : form, id, value.c_str());
    }
    // Leaves the box, which commits a typed value.
    void commit(int id, HWND window = nullptr) {
        HWND parent = window ? window : form;
        SetFocus(GetDlgItem(parent, id));
        SetFocus(parent);
    }
    // A directory whose name fits the settings file (the temporary one may not).
    std::string shortDirectory(const std::string& name) {
        const std::string made = "C:\\tvk" + std::to_string(GetCurrentProcessId()) + name;
        CreateDirectoryA(made.c_str(), nullptr);
        return made;
    }
    void chooseSourceSubdirectory(int index) {
        HWND list = GetDlgItem(form, IDC_DIRECTORYLISTBOX1);
        const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
        int first = 0;  // the first subdirectory: the line after the chosen directory
        while (first < count && SendMessageA(list, LB_GETCURSEL, 0, 0) != first) {
            ++first;
        }
        SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(first + 1 + index), 0);
        SendMessageA(form, WM_COMMAND, MAKEWPARAM(IDC_DIRECTORYLISTBOX1, LBN_DBLCLK),
                     reinterpret_cast<LPARAM>(list));
    }
    void chooseDrive(HWND drives, const char* drive) {
        SendMessageA(drives, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>(drive));
        SendMessageA(form, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(drives), CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(drives));
    }
    std::string text(int id, HWND window = nullptr) {
        char buffer[512] = "";
        GetDlgItemTextA(window ? window : form, id, buffer, sizeof buffer);
        return buffer;
    }
    bool enabled(int id) { return IsWindowEnabled(GetDlgItem(form, id)) != 0; }
    bool checked(int id) { return IsDlgButtonChecked(form, id) == BST_CHECKED; }
    void useTracksIn(const std::string& d) {
        type(IDC_EDIT1, d);
        type(IDC_EDIT2, d);
    }
    // The controls show what the engine's view says.
    void expectViewShown() {
        const SplitterView& v = state->splitter.view();
        EXPECT_EQ(text(IDC_LABEL20), v.trackLabel);
        EXPECT_EQ(text(IDC_LABEL1), v.foundLabel);
        EXPECT_EQ(text(IDC_LABEL12), v.soundLabel);
        EXPECT_EQ(enabled(IDC_BUTTON2), v.viewPreviousEnabled);
        EXPECT_EQ(enabled(IDC_BUTTON3), v.viewNextEnabled);
        EXPECT_EQ(enabled(IDC_BUTTON4), v.splitSaveEnabled);
        EXPECT_EQ(checked(IDC_CHECKBOX2), v.saveChecked);
    }

    testing::TempDir dirs;
    std::string dir;
    ScriptedHost host;
    std::unique_ptr<SplitterFormState> state;
    HWND form = nullptr;
};

TEST_F(SplitterWindowTest, StartsWithTheDefaultsWithoutASettingsFile) {
    start();
    EXPECT_EQ(text(IDC_EDIT1), "C:\\");
    EXPECT_EQ(text(IDC_EDIT4), "WAV");
    EXPECT_EQ(text(IDC_SPINEDIT4), "2000");
    EXPECT_TRUE(checked(IDC_RADIOBUTTON3) && checked(IDC_RADIOBUTTON1));
    for (int id : {IDC_BUTTON2, IDC_BUTTON3, IDC_BUTTON4, IDC_BUTTON5, IDC_RADIOBUTTON7}) {
        EXPECT_FALSE(enabled(id)) << id;
    }
    EXPECT_EQ(state->source.directory() + kDirSeparator, dir);
    RECT client;
    GetClientRect(form, &client);
    EXPECT_EQ(client.right, 736);
    EXPECT_EQ(client.bottom, 438);
    expectViewShown();
}

// A start folder that cannot be written: the file kept per user is news, not an error; with
// nowhere to keep it, the warning is an error box.
TEST_F(SplitterWindowTest, TheSettingsFilesNewPlaceIsANoticeAndNoPlaceAnError) {
    struct StartFolderReadOnly final : SettingsFolders {
        std::string root;
        bool canWriteIn(const std::string& folder) override {
            return !root.empty() && folder.rfind(root, 0) == 0;
        }
        bool fileExists(const std::string&) override { return false; }
        std::string userDataFolder() override { return root; }
        bool makeFolder(const std::string& folder) override {
            return CreateDirectoryA(folder.c_str(), nullptr) != 0;
        }
    };
    for (const bool perUser : {true, false}) {
        StartFolderReadOnly folders;
        folders.root = perUser ? dir + "appdata" : std::string();
        CreateDirectoryA(folders.root.c_str(), nullptr);
        state = std::make_unique<SplitterFormState>(host, dir);
        state->folders = &folders;
        form = startTalvik(GetModuleHandleA(nullptr), *state, SW_SHOWNOACTIVATE);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
        EXPECT_EQ(host.notices.size(), perUser ? 1u : 0u);
        EXPECT_EQ(host.errors.size(), perUser ? 0u : 1u);
        host.notices.clear();
        host.errors.clear();
        close();
    }
}

TEST_F(SplitterWindowTest, StartsFromTheSettingsFileAndWritesItAtClose) {
    // The lists were elsewhere than the start directory, so restoring them shows; the
    // file holds 40 characters a directory.
    const std::string source = shortDirectory("src");
    const std::string dest = shortDirectory("dst");
    SplitterSettings saved;
    saved.sourceDir = dest + kDirSeparator;
    saved.createDir = "TR";
    saved.saveSuffix = "RAW";
    saved.noisePercent = 20;
    SaveSettings(SettingsFilePath(dir), MakeSettingsRecord({source, dest}, saved));
    start();
    EXPECT_EQ(state->source.directory(), source);
    EXPECT_EQ(state->destination.directory(), dest);
    EXPECT_EQ(text(IDC_EDIT1), dest + kDirSeparator);  // the saved text over the list's
    EXPECT_EQ(text(IDC_EDIT2), "C:\\");
    EXPECT_EQ(text(IDC_EDIT3), "TR");
    EXPECT_EQ(text(IDC_SPINEDIT3), "5");  // numbers are not restored
    type(IDC_EDIT5, "SND");
    close();
    const SettingsRecord back = LoadStartupSettings(SettingsFilePath(dir));
    EXPECT_EQ(back.get(SettingsRecord::kSavePrefix), "SND");
    EXPECT_EQ(back.get(SettingsRecord::kSourceList), source);
}

TEST_F(SplitterWindowTest, CouplingHandlersKeepTheControlsInStep) {
    start();
    click(IDC_RADIOBUTTON5);  // 16-bit load offers the 16-bit save format
    EXPECT_TRUE(enabled(IDC_RADIOBUTTON7));
    click(IDC_RADIOBUTTON7);
    EXPECT_EQ(text(IDC_EDIT4), "RAW");
    type(IDC_EDIT4, "XYZ");
    click(IDC_RADIOBUTTON4);  // 8-bit WAV load takes it away again
    EXPECT_TRUE(checked(IDC_RADIOBUTTON1));
    EXPECT_FALSE(checked(IDC_RADIOBUTTON7) || enabled(IDC_RADIOBUTTON7));
    EXPECT_EQ(text(IDC_EDIT4), "RAW");
    click(IDC_RADIOBUTTON2);
    EXPECT_EQ(text(IDC_EDIT4), "WAV");

    type(IDC_SPINEDIT1, "7");
    commit(IDC_SPINEDIT1);
    EXPECT_EQ(text(IDC_SPINEDIT2), "7");
    EXPECT_EQ(state->splitter.currentTrack(), 7);
    type(IDC_SPINEDIT2, "3");
    commit(IDC_SPINEDIT2);
    EXPECT_EQ(text(IDC_SPINEDIT2), "7");

    click(IDC_CHECKBOX4);
    EXPECT_TRUE(enabled(IDC_BUTTON5));
    click(IDC_CHECKBOX6);
    EXPECT_TRUE(enabled(IDC_FILELISTBOX1));

    type(IDC_SPINEDIT3, "250");  // typed past the range: the engine gets the range's end
    type(IDC_SPINEDIT4, "-40");
    EXPECT_EQ(readSettings(*state).noisePercent, 100);
    EXPECT_EQ(readSettings(*state).silence, 0);
}

TEST_F(SplitterWindowTest, ChoosingASourceDirectoryMovesTheDestinationWithIt) {
    CreateDirectoryA((dir + "sub").c_str(), nullptr);
    start();
    HWND list = GetDlgItem(form, IDC_DIRECTORYLISTBOX1);
    const LRESULT at = SendMessageA(list, LB_GETCOUNT, 0, 0) - 1;  // the subdirectory
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(at), 0);
    SendMessageA(form, WM_COMMAND, MAKEWPARAM(IDC_DIRECTORYLISTBOX1, LBN_DBLCLK),
                 reinterpret_cast<LPARAM>(list));
    EXPECT_EQ(text(IDC_EDIT1), dir + "sub" + kDirSeparator);
    EXPECT_EQ(text(IDC_EDIT2), dir + "sub" + kDirSeparator);
    EXPECT_EQ(state->destination.directory(), dir + "sub");
}

TEST_F(SplitterWindowTest, AnalyzeStepAndSaveMarks) {
    WriteFile(dir + "track01.RAW", Track({3000, 500, 2000}));
    start();
    useTracksIn(dir);
    click(IDC_BUTTON6);
    EXPECT_EQ(state->splitter.sounds().count(), 3);
    EXPECT_EQ(host.beeps, 2);
    expectViewShown();
    click(IDC_BUTTON3);
    EXPECT_EQ(state->splitter.currentSound(), 1);
    EXPECT_FALSE(checked(IDC_CHECKBOX2));  // the short one, unmarked by Auto skip
    click(IDC_CHECKBOX2);
    EXPECT_TRUE(state->splitter.sounds().saveFlag(1));
    click(IDC_BUTTON2);
    expectViewShown();
}

TEST_F(SplitterWindowTest, AnalyzeOfAMissingTrackShowsTheWarning) {
    start();
    useTracksIn(dir);
    click(IDC_BUTTON6);
    EXPECT_TRUE(IsWindowVisible(state->warning));
    EXPECT_EQ(text(IDC_WARNING_PANEL1, state->warning), "File does not exist!");
    click(IDC_WARNING_BUTTON1, state->warning);
    EXPECT_FALSE(IsWindowVisible(state->warning));
}

TEST_F(SplitterWindowTest, SplitAndSaveWritesTheMarkedSounds) {
    WriteFile(dir + "track01.RAW", Track({3000, 2000}));
    start();
    useTracksIn(dir);
    click(IDC_RADIOBUTTON1);
    click(IDC_BUTTON6);
    click(IDC_BUTTON4);
    const std::string out = TrackDirName(dir, "TRACK", 1) + kDirSeparator;
    EXPECT_TRUE(IsExistingFile(out + "SAMPLE01.RAW"));
    EXPECT_TRUE(IsExistingFile(out + "SAMPLE02.RAW"));
}

TEST_F(SplitterWindowTest, SixteenBitSaveAfterAnEightBitAnalysisIsAMessage) {
    WriteFile(dir + "track01.RAW", Track({3000}));
    start();
    useTracksIn(dir);
    click(IDC_BUTTON6);
    click(IDC_RADIOBUTTON5);
    click(IDC_RADIOBUTTON7);
    click(IDC_BUTTON4);
    EXPECT_EQ(host.errors, std::vector<std::string>{kNeeds16BitTrack});
    host.errors.clear();
    EXPECT_TRUE(IsWindow(form));
    expectViewShown();
}

TEST_F(SplitterWindowTest, AutoModeRunsTheRange) {
    WriteFile(dir + "track01.RAW", Track({3000}));
    WriteFile(dir + "track02.RAW", Track({3000, 3000}));
    start();
    useTracksIn(dir);
    click(IDC_CHECKBOX4);
    type(IDC_SPINEDIT2, "2");
    click(IDC_BUTTON5);
    EXPECT_TRUE(IsExistingFile(TrackDirName(dir, "TRACK", 1) + kDirSeparator + "SAMPLE01.WAV"));
    EXPECT_TRUE(IsExistingFile(TrackDirName(dir, "TRACK", 2) + kDirSeparator + "SAMPLE02.WAV"));
    EXPECT_EQ(state->splitter.currentTrack(), 3);
    expectViewShown();
}

TEST_F(SplitterWindowTest, TrackGrabWindowKeepsItsRangeAndStartsTheReader) {
    start();
    click(IDC_TRACKGRAB);
    HWND grab = state->grab;
    EXPECT_TRUE(IsWindowVisible(grab));
    type(IDC_GRAB_SPINEDIT1, "5", grab);
    commit(IDC_GRAB_SPINEDIT1, grab);
    EXPECT_EQ(text(IDC_GRAB_SPINEDIT2, grab), "5");
    EXPECT_EQ(text(IDC_SPINEDIT2), "1");  // not the main window's range
    click(IDC_GRAB_RADIOBUTTON7, grab);
    click(IDC_GRAB_BITBTN1, grab);
    EXPECT_EQ(host.started, std::vector<std::string>{"c:\\temp\\read.exe /1"});
    EXPECT_EQ(grabState(grab)->optionWord, "-22-s-8");
    EXPECT_FALSE(IsWindowVisible(state->warning));
    host.startSucceeds = false;
    click(IDC_GRAB_BITBTN1, grab);
    EXPECT_EQ(text(IDC_WARNING_PANEL1, state->warning), kReaderNotStarted);
    click(IDC_GRAB_SPEEDBUTTON1, grab);
    EXPECT_FALSE(IsWindowVisible(grab));
}

TEST_F(SplitterWindowTest, FolderNamedWithAccentAndTypographicApostrophe) {
    ASSERT_EQ(GetACP(), 1252u) << "the names below are cp1252";
    dir += "caf\xE9 d\x92ici";
    ASSERT_TRUE(CreateDirectoryA(dir.c_str(), nullptr));
    dir += kDirSeparator;
    WriteFile(dir + "track01.RAW", Track({3000}));
    start();
    useTracksIn(dir);
    click(IDC_BUTTON6);
    EXPECT_EQ(text(IDC_LABEL1), "1 (1)");
    click(IDC_BUTTON4);
    const std::string out = TrackDirName(dir, "TRACK", 1) + kDirSeparator + "SAMPLE01.WAV";
    EXPECT_NE(GetFileAttributesA(out.c_str()), INVALID_FILE_ATTRIBUTES);
}

// At logoff the settings are written as at close.
TEST_F(SplitterWindowTest, EndOfSessionWritesTheSettings) {
    start();
    type(IDC_EDIT5, "SND");
    SendMessageA(form, WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(LoadStartupSettings(SettingsFilePath(dir)).get(SettingsRecord::kSavePrefix), "SND");
}

TEST_F(SplitterWindowTest, AnalyzeNextThenMaximizeAndDeleteProcessedFiles) {
    WriteFile(dir + "track01.RAW", Track({3000}));
    WriteFile(dir + "track02.RAW", Track({3000, 4000}));
    start();
    useTracksIn(dir);
    click(IDC_BUTTON6);
    click(IDC_BUTTON1);  // Analyze next: track 2
    EXPECT_EQ(state->splitter.currentTrack(), 2);
    EXPECT_EQ(text(IDC_LABEL1), "2 (2)");
    expectViewShown();
    click(IDC_CHECKBOX1);  // Maximize
    click(IDC_CHECKBOX5);  // Delete processed files
    click(IDC_BUTTON4);
    std::FILE* f =
        OpenSystemFile(TrackDirName(dir, "TRACK", 2) + kDirSeparator + "SAMPLE02.WAV", "rb");
    ASSERT_NE(f, nullptr);
    const int first = std::fgetc(f);
    std::fclose(f);
    EXPECT_EQ(first, 0x7F);  // the loud samples brought to full scale
    EXPECT_FALSE(IsExistingFile(dir + "track02.RAW"));
    EXPECT_TRUE(IsExistingFile(dir + "track01.RAW"));
}

TEST_F(SplitterWindowTest, SameSourceAndDestinationFollowsOnlyWhileChecked) {
    CreateDirectoryA((dir + "a").c_str(), nullptr);
    CreateDirectoryA((dir + "b").c_str(), nullptr);
    start();
    const std::string home = state->source.directory();
    click(IDC_CHECKBOX7);  // cleared: the destination stays
    chooseSourceSubdirectory(0);
    EXPECT_EQ(state->source.directory(), dir + "a");
    EXPECT_EQ(state->destination.directory(), home);
    click(IDC_CHECKBOX7);  // checked again: the destination moves to the source at once
    EXPECT_EQ(state->destination.directory(), dir + "a");
    EXPECT_EQ(text(IDC_EDIT2), dir + "a" + kDirSeparator);
}

TEST_F(SplitterWindowTest, DriveBoxGoesToTheDrivesDirectoryOrStays) {
    start();
    HWND drives = GetDlgItem(form, IDC_DRIVECOMBOBOX1);
    char full[MAX_PATH] = "";
    GetFullPathNameA("c:", sizeof full, full, nullptr);
    chooseDrive(drives, "c:");
    EXPECT_EQ(DirectoryText(state->source.directory()), DirectoryText(full));
    // A drive that cannot be listed leaves the lists, and the box goes back to their drive.
    SendMessageA(drives, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("q:"));
    const std::string before = state->source.directory();
    chooseDrive(drives, "q:");
    EXPECT_EQ(state->source.directory(), before);
    char shown[8] = "";
    SendMessageA(drives, CB_GETLBTEXT,
                 static_cast<WPARAM>(SendMessageA(drives, CB_GETCURSEL, 0, 0)),
                 reinterpret_cast<LPARAM>(shown));
    EXPECT_EQ(std::string(shown), "c:");
}

// "c:\temp\read.exe could not be started." fits the warning panel.
TEST_F(SplitterWindowTest, ReaderMessageFitsTheWarningPanel) {
    start();
    showWarning(state->warning, kReaderNotStarted);
    HWND panel = GetDlgItem(state->warning, IDC_WARNING_PANEL1);
    HDC dc = GetDC(panel);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(panel, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32A(dc, kReaderNotStarted, static_cast<int>(std::strlen(kReaderNotStarted)),
                          &size);
    SelectObject(dc, old);
    ReleaseDC(panel, dc);
    RECT inside;
    GetClientRect(panel, &inside);
    EXPECT_LE(size.cx, inside.right);
}

}  // namespace
}  // namespace talvik
