// Drives the real main window inside the test process: commands by WM_COMMAND, controls read
// back, every box answered by script (an unscripted box fails the test). Wiring only.
#include <gtest/gtest.h>

#include <deque>
#include <fstream>
#include <functional>
#include <utility>

#include "command_table.h"
#include "list_labels.h"
#include "main_commands_win32.h"
#include "memory_player_seams.h"
#include "memory_settings_store.h"
#include "mp3_builder.h"
#include "orvane_app_win32.h"
#include "play_list.h"
#include "player_seams_win32.h"
#include "resource.h"
#include "set_file_io.h"
#include "set_names.h"
#include "setting_access.h"
#include "song_file.h"
#include "standin_player.h"
#include "system_path.h"

namespace orvane {
namespace {

// Each box runs a message loop before it answers, as the real ones do, so that the tick and
// posted messages arrive while it is up.
class ScriptedDialogs final : public MainDialogs {
  public:
    std::deque<int> answers;
    std::vector<std::string> texts;
    std::vector<UINT> types;
    std::deque<std::optional<std::string>> inputs;
    std::function<bool(TOptions&)> properties;
    // What the user does while the next box is up.
    std::function<void()> whileUp;

    void Up(HWND owner) {
        const bool disable = owner != nullptr && IsWindowEnabled(owner);
        if (disable)
            EnableWindow(owner, FALSE);
        if (auto action = std::exchange(whileUp, nullptr))
            action();
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(message.wParam));
                break;
            }
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        if (disable && IsWindow(owner))
            EnableWindow(owner, TRUE);
    }
    int Message(HWND owner, std::string_view text, UINT type) override {
        texts.emplace_back(text);
        types.push_back(type);
        Up(owner);
        if (answers.empty()) {
            ADD_FAILURE() << "unscripted message box: " << text;
            return IDCANCEL;
        }
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::optional<std::string> Input(HWND owner, std::string_view prompt,
                                     std::string_view) override {
        Up(owner);
        if (inputs.empty()) {
            ADD_FAILURE() << "unscripted input box: " << prompt;
            return std::nullopt;
        }
        auto answer = inputs.front();
        inputs.pop_front();
        return answer;
    }
    bool Properties(HWND owner, const std::string&, TOptions& options) override {
        Up(owner);
        if (!properties)
            ADD_FAILURE() << "unscripted Properties dialog";
        return properties && properties(options);
    }
    void Sets(HWND owner, TSetsDialogModel&, SetsDialogHost&) override {
        Up(owner);
        ADD_FAILURE() << "unscripted sets";
    }
    std::optional<TSetRecord> NewSet(HWND) override { return std::nullopt; }
    void PickFont(HWND, LOGFONTA, void (*)(HWND, const LOGFONTA&), HWND) override {}
    std::optional<std::string> FindPlayer(HWND) override { return std::nullopt; }
};

// Opens files for real existence checks and records what the player was handed.
class RecordingShell final : public PlayerShell {
  public:
    std::vector<std::string> opened;
    bool FileExists(const std::string& name) const override {
        return GetFileAttributesA(name.c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    void OpenFile(const std::string& name, bool) override { opened.push_back(name); }
    void RunProgram(const std::string&) override {}
};

void WriteSong(const std::string& name, const char* title) {
    test::TBytes bytes = test::Frames({}, 417, 200);
    if (title != nullptr) {
        TTagRecord tag;
        tag.title = title;
        tag.genre = 17;
        const TTagBytes tail = EncodeTag(tag);
        bytes.insert(bytes.end(), tail.begin(), tail.end());
    }
    std::FILE* file = std::fopen(name.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

std::string Text(HWND control) {
    char text[512] = "";
    GetWindowTextA(control, text, sizeof text);
    return text;
}

class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char temp[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        folder = std::string(temp) + "orvane-window-" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(folder.c_str(), nullptr);
        songs = {folder + "\\Alpha.mp3", folder + "\\Rain\x92s End.mp3", folder + "\\Zulu.mp3"};
        WriteSong(songs[0], "Alpha");
        WriteSong(songs[1], "Rain\x92s End");
        WriteSong(songs[2], nullptr);
        std::ofstream(folder + "\\Alpha.TXT") << "la la";
        TSetFileImage image = DefaultSongListImage({});
        for (const std::string& song : songs) {
            image.entries.push_back(MakeSongEntry(folder, song.substr(folder.size() + 1), 10));
        }
        SaveSetFile(SetFileName(SystemPath(folder), kDefaultSetName), image);
        store.WriteText("(Default)", "DontSplashScreen", "1");
    }
    void TearDown() override {
        if (window != nullptr && IsWindow(window))
            DestroyWindow(window);
        Pump();
        EXPECT_TRUE(dialogs.answers.empty()) << "answers left over";
        for (const char* name :
             {"\\*.mp3", "\\*.TXT", "\\*.OVM", "\\*.M3U", "\\*.log", "\\*.damaged"}) {
            WIN32_FIND_DATAA found;
            HANDLE search = FindFirstFileA((folder + name).c_str(), &found);
            if (search == INVALID_HANDLE_VALUE)
                continue;
            do DeleteFileA((folder + "\\" + found.cFileName).c_str());
            while (FindNextFileA(search, &found));
            FindClose(search);
        }
        RemoveDirectoryA(folder.c_str());
    }
    void Start() {
        TMainFormParams params;
        params.store = &store;
        params.dialogs = &dialogs;
        params.playerWindow = realPlayer ? static_cast<PlayerWindow*>(&win32Window) : &playerWindow;
        params.playerShell = realPlayer ? static_cast<PlayerShell*>(&win32Shell) : &shell;
        params.screenSaver = &saver;
        params.programFolder = folder;
        window = StartOrvane(GetModuleHandleA(nullptr), params);
        ASSERT_NE(window, nullptr);
        Pump();
    }
    void Pump() { RunMessageLoop(window, nullptr, false); }
    void Command(int id) {
        SendMessageA(window, WM_COMMAND, static_cast<WPARAM>(id), 0);
        Pump();
    }
    TMainForm& Form() { return *MainFormState(window); }
    void Select(int row) {
        LVITEMA item{};
        item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageA(Form().songList, LVM_SETITEMSTATE, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>(&item));
        item.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageA(Form().songList, LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                     reinterpret_cast<LPARAM>(&item));
        Pump();
    }
    std::string Cell(int row, int column) {
        char text[260] = "";
        LVITEMA item{};
        item.iSubItem = column;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendMessageA(Form().songList, LVM_GETITEMTEXTA, static_cast<WPARAM>(row),
                     reinterpret_cast<LPARAM>(&item));
        return text;
    }
    int Rows() { return static_cast<int>(SendMessageA(Form().songList, LVM_GETITEMCOUNT, 0, 0)); }

    std::string folder;
    std::vector<std::string> songs;
    MemorySettingsStore store;
    ScriptedDialogs dialogs;
    MemoryPlayerWindow playerWindow;
    RecordingShell shell;
    MemoryScreenSaver saver;
    bool realPlayer = false;
    Win32PlayerWindow win32Window;
    Win32PlayerShell win32Shell;
    HWND window = nullptr;
};

TEST_F(MainWindowTest, StartShowsTheSetInTheListAndTheCaption) {
    Start();
    EXPECT_EQ(Text(window), "Orvane Manager 1.0 Beta2 - (Default)");
    ASSERT_EQ(Rows(), Form().list.Count());
    for (int row = 0; row < Rows(); ++row) {
        EXPECT_EQ(Cell(row, 0), Form().list.Entry(row).caption) << row;
        EXPECT_EQ(Cell(row, 2), Form().list.Entry(row).folder) << row;
    }
    EXPECT_EQ(Text(Form().totalTime), TotalTimeLabel(Form().list.Totals()));
}

TEST_F(MainWindowTest, SelectedSongShowsTagAndLyricsAnsiNameIncluded) {
    Start();
    Select(0);
    EXPECT_EQ(Text(Form().title), "Alpha");
    EXPECT_EQ(Text(Form().lyricsMemo), "la la");
    EXPECT_EQ(Text(Form().layer), "III");
    Select(1);
    EXPECT_EQ(Text(Form().title), "Rain\x92s End");
    EXPECT_EQ(Text(Form().lyricsMemo), "File not found.");
}

TEST_F(MainWindowTest, TypingMarksModifiedAndSaveWritesTheTag) {
    Start();
    Select(0);
    SetWindowTextA(Form().title, "Beta");
    Pump();
    char status[40] = "";
    SendMessageA(Form().statusBar, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(status));
    EXPECT_STREQ(status, "Modified");
    Command(IDM_SAVETAG);
    TTagBytes bytes{};
    ASSERT_TRUE(ReadTag(songs[0], bytes));
    EXPECT_EQ(DecodeTag(bytes)->title, "Beta");
}

TEST_F(MainWindowTest, ReadOnlySongDisablesTheBoxesAndNeverSaves) {
    SetFileAttributesA(songs[0].c_str(), FILE_ATTRIBUTE_READONLY);
    Start();
    Select(0);
    EXPECT_FALSE(IsWindowEnabled(Form().title));
    char status[40] = "";
    SendMessageA(Form().statusBar, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(status));
    EXPECT_STREQ(status, "Read Only");
    SetWindowTextA(Form().title, "Typed");
    Pump();
    EXPECT_FALSE(SendMessageA(Form().toolPanel, TB_ISBUTTONENABLED, IDM_SAVETAG, 0));
    SetFileAttributesA(songs[0].c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(MainWindowTest, HideAndRestoreAreRememberedForTheNextStart) {
    Start();
    Command(IDM_HIDE);
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_TRUE(ReadSetting(store, setting::AppHide));
    Command(IDM_EXIT);
    ASSERT_FALSE(IsWindow(window));
    MSG quit;
    PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    Start();
    EXPECT_FALSE(IsWindowVisible(window));
    Command(IDM_RESTORE);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_FALSE(ReadSetting(store, setting::AppHide));
    Command(IDM_EXIT);
    PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    Start();
    EXPECT_TRUE(IsWindowVisible(window));
}

TEST_F(MainWindowTest, LeavingAnEditedSongAsksAndNoKeepsTheFile) {
    Start();
    Select(0);
    SetWindowTextA(Form().title, "Changed");
    Pump();
    dialogs.answers = {IDNO};
    Select(2);
    ASSERT_EQ(dialogs.texts.size(), 1u);
    EXPECT_EQ(dialogs.texts[0], kTagChangedQuestion);
    TTagBytes bytes{};
    ASSERT_TRUE(ReadTag(songs[0], bytes));
    EXPECT_EQ(DecodeTag(bytes)->title, "Alpha");
}

TEST_F(MainWindowTest, EmptyListAsksFirst) {
    Start();
    dialogs.answers = {IDNO, IDYES};
    Command(IDM_EMPTY);
    EXPECT_EQ(Rows(), 3);
    Command(IDM_EMPTY);
    EXPECT_EQ(Rows(), 0);
    EXPECT_EQ(dialogs.texts[1], kEmptyListQuestion);
}

TEST_F(MainWindowTest, PlayListWritesThePlaylistInOrderAndHandsItToThePlayer) {
    Start();
    Command(IDM_PLAYLIST);
    ASSERT_EQ(shell.opened.size(), 1u);
    EXPECT_EQ(shell.opened[0], folder + "\\OVM.M3U");
    std::ifstream file(folder + "\\OVM.M3U", std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(file)), {});
    std::vector<std::string> names;
    for (const TSongEntry& entry : Form().list.Entries()) names.push_back(entry.FullName());
    EXPECT_EQ(text, FormatPlayList(names));
}

TEST_F(MainWindowTest, CloseBoxAsksButExitDoesNotAndTheSetIsSaved) {
    Start();
    dialogs.answers = {IDNO};
    Form().closeBoxHit = true;
    SendMessageA(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(IsWindow(window));
    EXPECT_EQ(dialogs.texts.back(), LeaveQuestion());
    Command(IDM_REMOVEALL);
    Command(IDM_EXIT);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(LoadSetFile(SetFileName(SystemPath(folder), kDefaultSetName)).image.entries.size(),
              0u);
    MSG quit;
    PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

TEST_F(MainWindowTest, EngineErrorIsShownAndTheWindowStaysUsable) {
    Start();
    store.FailWrites(true);
    dialogs.answers = {IDOK};
    Command(IDM_RESET);
    ASSERT_EQ(dialogs.texts.size(), 1u);
    EXPECT_NE(dialogs.texts[0].find("Failed to set data"), std::string::npos);
    store.FailWrites(false);
    Command(IDM_REMOVEALL);
    EXPECT_EQ(Rows(), 0);
}

TEST_F(MainWindowTest, DamagedSetFileIsSaidOnceAsAWarning) {
    const auto file = SetFileName(SystemPath(folder), kDefaultSetName);
    std::filesystem::resize_file(file, std::filesystem::file_size(file) - 20);
    dialogs.answers = {IDOK};
    Start();
    ASSERT_EQ(dialogs.texts.size(), 1u);
    EXPECT_NE(dialogs.texts[0].find(".OVM.damaged"), std::string::npos) << dialogs.texts[0];
    EXPECT_EQ(dialogs.types[0], static_cast<UINT>(MB_OK | MB_ICONWARNING));
}

// A bar kept floating comes back docked on its remembered side and is written so at the end.
TEST_F(MainWindowTest, ToolBarSectionRoundTripsABottomBar) {
    store.WriteText("ToolBar", "Docked", "0");
    store.WriteText("ToolBar", "Align", "2");
    Start();
    RECT bar, list;
    GetWindowRect(Form().toolBar, &bar);
    GetWindowRect(Form().songList, &list);
    EXPECT_GE(bar.top, list.bottom);
    Command(IDM_EXIT);
    EXPECT_EQ(store.ReadText("ToolBar", "Docked"), "1");
    EXPECT_EQ(store.ReadText("ToolBar", "Align"), "2");
}

TEST_F(MainWindowTest, ButtonSizeTakesOnlyAnAnswerInRange) {
    Start();
    dialogs.inputs = {std::string("30"), std::string("36")};
    Command(IDM_BUTTONSIZE);
    EXPECT_EQ(LOWORD(SendMessageA(Form().toolBar, TB_GETBUTTONSIZE, 0, 0)), 30);
    Command(IDM_BUTTONSIZE);
    EXPECT_EQ(LOWORD(SendMessageA(Form().toolPanel, TB_GETBUTTONSIZE, 0, 0)), 30);
}

TEST_F(MainWindowTest, AboutWithoutTheLibrarySaysSo) {
    Start();
    dialogs.answers = {IDOK};
    Command(IDM_ABOUT);
    EXPECT_EQ(dialogs.texts.back(), kAboutDllMissingText);
}

#ifdef ABOUT_DLL
TEST(AboutDll, ExportsTheThreeEntries) {
    std::string path = ABOUT_DLL;
    for (char& c : path) c = c == '/' ? '\\' : c;
    HMODULE library = LoadLibraryA(("Z:" + path).c_str());
    ASSERT_NE(library, nullptr);
    for (const char* name : {"ShowSplashScreen", "DropSplashScreen", "ShowAboutBox"}) {
        EXPECT_NE(GetProcAddress(library, name), nullptr) << name;
    }
    FreeLibrary(library);
}
#endif

TEST_F(MainWindowTest, PropertiesOkIsStoredAndApplied) {
    Start();
    dialogs.properties = [](TOptions& options) {
        options.allowDuplicated = true;
        return true;
    };
    Command(IDM_PROPERTIES);
    EXPECT_TRUE(ReadSetting(store, setting::AllowDuplicated));
    EXPECT_TRUE(Form().list.Options().allowDuplicated);
}

TEST_F(MainWindowTest, ListCommandsFollowTheModel) {
    Start();
    const auto check = [this](const char* state) {
        const TListCommands model = Form().list.ListCommands();
        int compared = 0;
        for (std::string_view name : TListCommands::AllNames()) {
            if (!name.ends_with("Btn"))
                continue;
            const int id = CommandOfControl(name);
            for (HWND bar : {Form().toolBar, Form().toolPanel}) {
                if (SendMessageA(bar, TB_COMMANDTOINDEX, static_cast<WPARAM>(id), 0) < 0)
                    continue;
                EXPECT_EQ(SendMessageA(bar, TB_ISBUTTONENABLED, static_cast<WPARAM>(id), 0) != 0,
                          model.IsEnabled(name))
                    << state << " " << name;
                ++compared;
            }
        }
        EXPECT_GE(compared, 10) << state;
    };
    Select(1);
    check("a middle entry selected");
    Command(IDM_NOSORT);
    Select(0);
    check("no sort, the first selected");
    Command(IDM_REMOVEALL);
    check("empty");
}

// Drags are driven by the messages the main window gets while it holds the capture.
TEST_F(MainWindowTest, DropsReorderWithNoSortAndAddTheDraggedFiles) {
    Start();
    const auto drop = [this](int row) {
        RECT r{LVIR_BOUNDS, 0, 0, 0};
        SendMessageA(Form().songList, LVM_GETITEMRECT, static_cast<WPARAM>(row),
                     reinterpret_cast<LPARAM>(&r));
        POINT p{r.left + 5, (r.top + r.bottom) / 2};
        if (row < 0)
            p = {1, 1};  // off the list
        MapWindowPoints(Form().songList, window, &p, row < 0 ? 0 : 1);
        SendMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(p.x, p.y));
        SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
        Pump();
        EXPECT_EQ(Form().dragSource, TDragSource::None);
    };
    const std::vector<std::string> sorted = {Cell(0, 0), Cell(1, 0), Cell(2, 0)};
    Select(0);
    SongListStartDrag(Form());
    drop(2);  // a sorted list keeps its order
    EXPECT_EQ(Cell(0, 0), sorted[0]);
    Command(IDM_NOSORT);
    Select(0);
    SongListStartDrag(Form());
    drop(2);
    EXPECT_EQ((std::vector<std::string>{Cell(0, 0), Cell(1, 0), Cell(2, 0)}),
              (std::vector<std::string>{sorted[1], sorted[2], sorted[0]}));

    Command(IDM_REMOVEALL);
    for (int i : {0, 2}) SendMessageA(Form().fileList, LB_SETSEL, TRUE, i);
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_FILELIST, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(Form().fileList));
    FileListBoxStartDrag(Form());
    drop(-1);
    EXPECT_EQ(Rows(), 0);
    FileListBoxStartDrag(Form());
    drop(0);  // an empty list takes the drop too
    ASSERT_EQ(Rows(), 2);
    EXPECT_EQ(Cell(0, 0), "Alpha.mp3");
    EXPECT_EQ(Cell(1, 0), "Zulu.mp3");
}

}  // namespace
}  // namespace orvane

namespace orvane {
namespace {

// End to end: the shell starts the stand-in player through the association.
TEST_F(MainWindowTest, StandinPlayerGetsThePlayListTheStepAndTheEmptyList) {
    const std::string log = folder + "\\player.log";
    ASSERT_TRUE(test::RegisterStandinPlayer(log));
    realPlayer = true;
    Start();
    Command(IDM_PLAYLIST);
    std::vector<std::string> expected = {"OPEN " + folder + "\\OVM.M3U"};
    for (const TSongEntry& entry : Form().list.Entries())
        expected.push_back("LINE " + entry.FullName());
    EXPECT_EQ(test::WaitForStandinLog(log, expected.size()), expected);
    ASSERT_TRUE(test::WaitForPlayerWindow(true));
    Command(IDM_NEXT);
    const std::string next = "OPEN " + Form().list.Entry(Form().list.CurrentIndex()).FullName();
    EXPECT_EQ(test::WaitForStandinLog(log, expected.size() + 1).back(), next);
    Command(IDM_STOP);
    EXPECT_EQ(test::WaitForStandinLog(log, expected.size() + 2).back(), expected[0]);
    Command(IDM_SHUTDOWN);
    EXPECT_EQ(test::WaitForStandinLog(log, expected.size() + 3).back(), "CLOSE");
    test::RemoveStandinPlayer();
}

}  // namespace
}  // namespace orvane

namespace orvane {
namespace {

std::string StatusPart(HWND statusBar) {
    char status[40] = "";
    SendMessageA(statusBar, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(status));
    return status;
}

// The tray's Exit and Sets reach the window while Properties is up: they only bring the
// dialog forward, and a close waits for the dialog to end.
TEST_F(MainWindowTest, TrayCommandsAndCloseWaitWhileADialogIsUp) {
    Start();
    dialogs.whileUp = [this] {
        for (int id : {IDM_EXIT, IDM_SETS, IDM_REMOVEALL})
            PostMessageA(window, WM_COMMAND, static_cast<WPARAM>(id), 0);
        PostMessageA(window, WM_CLOSE, 0, 0);
    };
    dialogs.properties = [this](TOptions& options) {
        EXPECT_TRUE(IsWindow(window));
        EXPECT_EQ(Rows(), 3);
        options.allowDuplicated = true;
        return true;
    };
    SendMessageA(window, WM_COMMAND, IDM_PROPERTIES, 0);
    ASSERT_TRUE(IsWindow(window));
    EXPECT_TRUE(ReadSetting(store, setting::AllowDuplicated));
    Pump();
    EXPECT_FALSE(IsWindow(window));
    MSG quit;
    PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

// A playlist the screen saver's stop cannot empty (a folder holds its name): the tick says so
// once, and not at all while a box is up.
TEST_F(MainWindowTest, TheTickWaitsForABoxAndShowsItsErrorOnce) {
    const std::string playList = folder + "\\OVM.M3U";
    CreateDirectoryA(playList.c_str(), nullptr);
    WriteSetting(store, setting::SaverStop, true);
    Start();
    playerWindow.exists = true;
    saver.running = true;
    dialogs.answers = {IDOK, IDOK};
    dialogs.whileUp = [this] { PostMessageA(window, WM_TIMER, 1, 0); };
    Command(IDM_CHECK);
    EXPECT_EQ(dialogs.texts.size(), 1u);
    for (int tick = 0; tick < 3; ++tick) SendMessageA(window, WM_TIMER, 1, 0);
    Pump();
    EXPECT_EQ(dialogs.texts.size(), 2u);
    EXPECT_EQ(dialogs.types.back(), static_cast<UINT>(MB_OK | MB_ICONERROR));
    DestroyWindow(window);
    Pump();
    RemoveDirectoryA(playList.c_str());
}

// An edit of a song that leaves the list goes with it: selecting another asks nothing and
// writes nothing.
TEST_F(MainWindowTest, AnEditLeavesWithItsSong) {
    for (int command : {IDM_REMOVE, IDM_REMOVEALL, IDM_EMPTY}) {
        SCOPED_TRACE(command);
        Start();
        Select(0);
        const std::string removed = Form().list.Entry(0).FullName();
        TTagBytes before{};
        ASSERT_TRUE(ReadTag(removed, before));
        SetWindowTextA(Form().title, "Changed");
        Pump();
        if (command == IDM_EMPTY)
            dialogs.answers = {IDYES};
        Command(command);
        EXPECT_EQ(StatusPart(Form().statusBar), "");
        Command(IDM_SAVETAG);
        if (Rows() > 0)
            Select(Rows() - 1);
        TTagBytes after{};
        ASSERT_TRUE(ReadTag(removed, after));
        EXPECT_EQ(after, before);
        DestroyWindow(window);
        Pump();
    }
}

// Logoff or shutdown keeps what closing keeps, and asks nothing.
TEST_F(MainWindowTest, TheEndOfTheSessionSavesWithoutAsking) {
    Start();
    Command(IDM_REMOVEALL);
    Form().panels.leftPanelWidth = 321;
    Form().closeBoxHit = true;
    EXPECT_TRUE(SendMessageA(window, WM_QUERYENDSESSION, 0, 0));
    SendMessageA(window, WM_ENDSESSION, TRUE, 0);
    EXPECT_TRUE(dialogs.texts.empty());
    EXPECT_EQ(LoadSetFile(SetFileName(SystemPath(folder), kDefaultSetName)).image.entries.size(),
              0u);
    EXPECT_EQ(ReadSetting(store, setting::LeftPanelWidth, 0), 321);
    EXPECT_EQ(store.ReadText("ToolBar", "Docked"), "1");
}

// Year: a rejected year is never written, and a Year nobody typed in changes nothing.
TEST_F(MainWindowTest, ARejectedYearIsNotSavedAndAnUntouchedOneIsNoEdit) {
    Start();
    Select(0);
    TTagBytes before{};
    ASSERT_TRUE(ReadTag(songs[0], before));
    SetWindowTextA(Form().year, "1850");
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_YEAR, CBN_EDITCHANGE),
                 reinterpret_cast<LPARAM>(Form().year));
    dialogs.answers = {IDOK};
    Command(IDM_SAVETAG);
    ASSERT_EQ(dialogs.texts.size(), 1u);
    EXPECT_EQ(dialogs.texts[0], kYearNotValidMessage);
    EXPECT_EQ(dialogs.types[0], static_cast<UINT>(MB_OK | MB_ICONERROR));
    TTagBytes after{};
    ASSERT_TRUE(ReadTag(songs[0], after));
    EXPECT_EQ(after, before);
    EXPECT_EQ(GetParent(GetFocus()), Form().year);

    DestroyWindow(window);
    Pump();
    Start();
    Select(2);  // Zulu has no tag
    WriteSetting(store, setting::AutoSaveTag, true);
    const auto size = std::filesystem::file_size(songs[2]);
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_YEAR, CBN_KILLFOCUS),
                 reinterpret_cast<LPARAM>(Form().year));
    EXPECT_EQ(StatusPart(Form().statusBar), "");
    Select(0);
    EXPECT_EQ(std::filesystem::file_size(songs[2]), size);
}

// Play acts on the list the user last used, whatever the program did to the song list since.
TEST_F(MainWindowTest, PlayFollowsTheListTheUserUsedLast) {
    Start();
    const LRESULT zulu = SendMessageA(Form().fileList, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                      reinterpret_cast<LPARAM>("Zulu.mp3"));
    ASSERT_GE(zulu, 0);
    SendMessageA(Form().fileList, LB_SETSEL, TRUE, zulu);
    SendMessageA(Form().fileList, LB_SETCARETINDEX, static_cast<WPARAM>(zulu), FALSE);
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_FILELIST, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(Form().fileList));
    Command(IDM_ADD);
    Command(IDM_PLAY);
    ASSERT_FALSE(shell.opened.empty());
    EXPECT_EQ(shell.opened.back(), folder + "\\Zulu.mp3");
}

// Exit asks about a pending tag edit as leaving its song does.
TEST_F(MainWindowTest, ExitAsksAboutAPendingEdit) {
    Start();
    Select(0);
    SetWindowTextA(Form().title, "At exit");
    Pump();
    dialogs.answers = {IDYES};
    Command(IDM_EXIT);
    ASSERT_EQ(dialogs.texts.size(), 1u);
    EXPECT_EQ(dialogs.texts[0], kTagChangedQuestion);
    TTagBytes bytes{};
    ASSERT_TRUE(ReadTag(songs[0], bytes));
    EXPECT_EQ(DecodeTag(bytes)->title, "At exit");
    MSG quit;
    PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

// After the start's Play list the panels show the entry the list selects.
TEST_F(MainWindowTest, ThePanelsShowTheSelectedEntryAfterPlayList) {
    Start();
    Select(2);
    Command(IDM_NOSORT);
    Command(IDM_PLAYLIST);
    const int selected = static_cast<int>(
        SendMessageA(Form().songList, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    ASSERT_GE(selected, 0);
    EXPECT_EQ(Form().tag.TagFileName(), Form().list.Entry(selected).FullName());
}

// The information panel's values carry their hints; captions compare in the system's order;
// Check reads the file list again.
TEST_F(MainWindowTest, ValueHintsAndTheSystemTextOrder) {
    Start();
    EXPECT_EQ(SendMessageA(Form().valueHints, TTM_GETTOOLCOUNT, 0, 0), 4);
    EXPECT_LT(CompareSystemText("apple", "Banana"), 0);
    EXPECT_GT(CompareSystemText("cherry", "Banana"), 0);
    EXPECT_EQ(CompareSystemText("same", "same"), 0);
    // The sort keys order texts as the comparison does.
    const char* texts[] = {"apple", "Banana",    "banana", "a-b",  "ab", "Rain\x92s End",
                           "rain",  "\xE9t\xE9", "ete",    "Zulu", "",   "10",
                           "9"};
    const auto sign = [](int value) { return (value > 0) - (value < 0); };
    for (const char* a : texts) {
        for (const char* b : texts) {
            EXPECT_EQ(sign(SystemSortKey(a).compare(SystemSortKey(b))),
                      sign(CompareSystemText(a, b)))
                << a << " / " << b;
        }
    }
    DeleteFileA(songs[2].c_str());  // gone from the folder: Check reads the file list again
    dialogs.answers = {IDOK};
    Command(IDM_CHECK);
    EXPECT_EQ(SendMessageA(Form().fileList, LB_GETCOUNT, 0, 0), 2);
}

// A tag write that fails while leaving the song keeps the edit and the song selected.
TEST_F(MainWindowTest, AFailedWriteKeepsTheEditAndItsSongSelected) {
    Start();
    Select(0);
    SetWindowTextA(Form().title, "Kept");
    Pump();
    SetFileAttributesA(songs[0].c_str(), FILE_ATTRIBUTE_READONLY);
    dialogs.answers = {IDYES, IDOK};
    Select(2);
    SetFileAttributesA(songs[0].c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(dialogs.texts.size(), 2u);
    EXPECT_EQ(
        SendMessageA(Form().songList, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 0);
    EXPECT_EQ(Text(Form().title), "Kept");
    EXPECT_EQ(StatusPart(Form().statusBar), "Modified");
}

std::string HintPart(HWND statusBar) {
    char hint[80] = "";
    SendMessageA(statusBar, SB_GETTEXTA, 1, reinterpret_cast<LPARAM>(hint));
    return hint;
}

// The sort keys are one radio group under their captions; Sort Always explains itself in the
// status bar while the menu is open.
TEST_F(MainWindowTest, SortItemsAreARadioGroupWithTheirCaptionsAndHint) {
    Start();
    HMENU list = GetSubMenu(Form().listMenu, 0);
    HMENU sort = nullptr;
    for (int i = 0; i < GetMenuItemCount(list); ++i) {
        HMENU sub = GetSubMenu(list, i);
        if (sub != nullptr && GetMenuState(sub, IDM_NOSORT, MF_BYCOMMAND) != UINT(-1))
            sort = sub;
    }
    ASSERT_NE(sort, nullptr);
    const struct {
        UINT id;
        const char* caption;
        bool radio;
    } items[] = {{IDM_SORTFILENAME, "By &Filename", true}, {IDM_SORTTIME, "By Time", true},
                 {IDM_SORTPATH, "By &Path", true},         {IDM_NOSORT, "&No Sort", true},
                 {IDM_REVERSE, "&Reverse Order", false},   {IDM_SORTALWAYS, "&Sort Always", false}};
    for (UINT chosen : {IDM_SORTFILENAME, IDM_SORTPATH, IDM_NOSORT, IDM_SORTTIME}) {
        if (chosen != IDM_SORTFILENAME)
            Command(static_cast<int>(chosen));
        for (const auto& item : items) {
            char caption[40] = "";
            GetMenuStringA(sort, item.id, caption, sizeof caption, MF_BYCOMMAND);
            EXPECT_STREQ(caption, item.caption);
            MENUITEMINFOA info{};
            info.cbSize = sizeof info;
            info.fMask = MIIM_FTYPE | MIIM_STATE;
            ASSERT_TRUE(GetMenuItemInfoA(sort, item.id, FALSE, &info));
            EXPECT_EQ((info.fType & MFT_RADIOCHECK) != 0, item.radio) << item.caption;
            if (item.radio) {
                EXPECT_EQ((info.fState & MFS_CHECKED) != 0, item.id == chosen)
                    << item.caption << " after " << chosen;
            }
        }
    }
    SendMessageA(window, WM_MENUSELECT, MAKEWPARAM(IDM_SORTALWAYS, MF_STRING),
                 reinterpret_cast<LPARAM>(sort));
    EXPECT_EQ(HintPart(Form().statusBar), "Automatic sort when data update...");
    SendMessageA(window, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    EXPECT_EQ(HintPart(Form().statusBar), "");
}

// Each list command ends by showing the entry the list now points at; a pending edit is
// asked about first, as it is when the file list shows other files.
TEST_F(MainWindowTest, ListCommandsAndFileListChangesShowTheEntryTheyLeave) {
    Start();
    Select(0);
    Command(IDM_INVERTSEL);
    EXPECT_EQ(Text(Form().title), "Rain\x92s End");
    Command(IDM_NOSORT);
    Command(IDM_REVERSE);  // no sort: the order stays
    LVITEMA item{};
    item.state = item.stateMask = LVIS_SELECTED;
    Select(0);
    SendMessageA(Form().songList, LVM_SETITEMSTATE, 2, reinterpret_cast<LPARAM>(&item));
    Pump();
    EXPECT_EQ(Form().tag.TagFileName(), songs[0]);
    NMLISTVIEW column{};
    column.hdr.hwndFrom = Form().songList;
    column.hdr.idFrom = IDC_SONGLIST;
    column.hdr.code = LVN_COLUMNCLICK;
    column.iSubItem = 0;
    SendMessageA(window, WM_NOTIFY, IDC_SONGLIST, reinterpret_cast<LPARAM>(&column));
    Pump();
    EXPECT_EQ(Form().tag.TagFileName(), songs[2]);  // Zulu leads the reversed order

    const auto folderUp = [this] {
        SendMessageA(Form().folderList, LB_SETCURSEL, 0, 0);  // "[..]"
        SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_FOLDERLIST, LBN_DBLCLK),
                     reinterpret_cast<LPARAM>(Form().folderList));
        Pump();
    };
    const std::pair<const char*, std::function<void()>> actions[] = {
        {"Select all", [this] { Command(IDM_SELECTALL); }},
        {"Add all", [this] { Command(IDM_ADDALL); }},
        {"By Time", [this] { Command(IDM_SORTTIME); }},
        {"Reverse", [this] { Command(IDM_REVERSE); }},
        {"a folder up", folderUp}};
    for (const auto& [name, action] : actions) {
        Select(0);
        SetWindowTextA(Form().title, "Edited");
        Pump();
        const std::size_t asked = dialogs.texts.size();
        dialogs.answers = {IDNO};
        action();
        ASSERT_EQ(dialogs.texts.size(), asked + 1) << name;
        EXPECT_EQ(dialogs.texts.back(), kTagChangedQuestion) << name;
        EXPECT_EQ(StatusPart(Form().statusBar), "") << name;
        EXPECT_NE(Text(Form().title), "Edited") << name;
    }
}

// An unlocked tool bar dragged off the window floats in its own tool window and comes back
// floating there at the next start; the caption's double-click and the lock dock it, and
// floating again places it from "FLeft"/"FTop".
TEST_F(MainWindowTest, TheToolBarFloatsDocksAndComesBackFloating) {
    store.WriteText("(Default)", "LockToolBar", "0");
    Start();
    const auto dragOff = [this] {
        HWND bar = Form().toolBar;
        RECT r;
        GetClientRect(bar, &r);
        SendMessageA(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.right - 3, 5));
        SendMessageA(bar, WM_LBUTTONUP, 0, MAKELPARAM(r.right - 3, 300));
        Pump();
        return GetParent(bar);
    };
    const auto placedAt = [](HWND frame) {
        RECT r;
        GetWindowRect(frame, &r);
        return std::make_pair(r.left, r.top);
    };
    HWND frame = dragOff();
    ASSERT_NE(frame, window);
    EXPECT_EQ(Text(frame), "Orvane Manager 1.0 Beta 2");
    EXPECT_EQ(GetWindow(frame, GW_OWNER), window);
    EXPECT_TRUE(IsWindowVisible(frame));
    SetWindowPos(frame, nullptr, 120, 90, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Command(IDM_EXIT);
    EXPECT_EQ(store.ReadText("ToolBar", "Docked"), "0");
    EXPECT_EQ(store.ReadText("ToolBar", "FLeft"), "120");
    EXPECT_EQ(store.ReadText("ToolBar", "FTop"), "90");
    MSG quit;
    PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);

    Start();
    frame = GetParent(Form().toolBar);
    ASSERT_NE(frame, window);
    EXPECT_TRUE(IsWindowVisible(frame));
    EXPECT_EQ(placedAt(frame), std::make_pair(120L, 90L));
    SetWindowPos(frame, nullptr, 150, 110, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageA(frame, WM_NCLBUTTONDBLCLK, HTCAPTION, 0);
    Pump();
    EXPECT_EQ(GetParent(Form().toolBar), window);
    EXPECT_FALSE(IsWindow(frame));
    EXPECT_EQ(store.ReadText("ToolBar", "FLeft"), "150");
    frame = dragOff();
    ASSERT_NE(frame, window);
    EXPECT_EQ(placedAt(frame), std::make_pair(150L, 110L));
    Command(IDM_HIDE);  // hiding docks it
    EXPECT_EQ(GetParent(Form().toolBar), window);
    Command(IDM_RESTORE);

    ASSERT_NE(dragOff(), window);
    dialogs.properties = [](TOptions& options) {
        options.lockToolBar = true;
        return true;
    };
    Command(IDM_PROPERTIES);
    EXPECT_EQ(GetParent(Form().toolBar), window);
    EXPECT_EQ(dragOff(), window);  // locked: it stays
}

}  // namespace
}  // namespace orvane
