// Orvane Manager through its real orvane.exe, driven from outside as a user would: the tray,
// the placement, the end of the session, a second copy, the paths where data could be lost.
// Each case runs in a fresh folder holding the program (it keeps its sets beside itself).
#include <windows.h>

#include <string>
#include <utility>

#include "id3v2_tag.h"
#include "mp3_builder.h"
#include "resource.h"
#include "scenario_test.h"
#include "tray_icon_rules.h"
#include "window_driver_internal.h"

namespace {

using driver::Program;

constexpr char kSettingsKey[] = "Software\\Brindle\\Orvane Manager";
constexpr char kSetFile[] = "(Default).OVM";

void SetRegistryText(HKEY root, const std::string& key, const std::string& value,
                     const std::string& text) {
    HKEY opened = nullptr;
    if (RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &opened, nullptr) !=
        ERROR_SUCCESS)
        driver::Fail("cannot write the registry key " + key);
    RegSetValueExA(opened, value.empty() ? nullptr : value.c_str(), 0, REG_SZ,
                   reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size() + 1));
    RegCloseKey(opened);
}

std::string Song(const char* title) {
    orvane::test::TBytes bytes = orvane::test::Frames({}, 417, 200);
    if (title != nullptr) {
        const orvane::test::TBytes tag = orvane::test::Id3v1Tag(title, 17);
        bytes.insert(bytes.end(), tag.begin(), tag.end());
    }
    return std::string(bytes.begin(), bytes.end());
}

// An ID3v2.3 tag holding only a title, with no padding: a longer title makes the file be
// written anew.
std::string Id3v2Title(const std::string& title) {
    const auto size = static_cast<char>(title.size() + 1);
    return std::string("ID3\x03\0\0\0\0\0", 9) + static_cast<char>(size + 10) + "TIT2" +
           std::string(3, '\0') + size + std::string(3, '\0') + title;
}

// A status bar panel of another process (its text lives there).
std::string StatusPanel(HWND statusBar, int part) {
    driver::RemoteBuffer remote(statusBar, 256);
    driver::SendBounded(statusBar, SB_GETTEXTA, static_cast<WPARAM>(part),
                        reinterpret_cast<LPARAM>(remote.At(0)));
    char text[256] = "";
    remote.Read(0, text, sizeof text - 1);
    return text;
}

std::string PlacementIni() {
    char windows[MAX_PATH] = "";
    GetWindowsDirectoryA(windows, MAX_PATH);
    return std::string(windows) + "\\Velmor.INI";
}

// Real mouse input at a screen point (the driver clicks controls but has no drag of its own).
void MouseTo(POINT screen, DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    SendInput(1, &input, sizeof input);
}

// A tool bar button's rectangle (the system does not carry TB_GETITEMRECT across processes).
RECT ButtonRect(HWND bar, WPARAM index) {
    driver::RemoteBuffer remote(bar, sizeof(RECT));
    driver::SendBounded(bar, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(remote.At(0)));
    RECT rect{};
    remote.Read(0, &rect, sizeof rect);
    return rect;
}

class OrvaneScenario : public driver::ScenarioTest {
  protected:
    void SetUp() override {
        ScenarioTest::SetUp();
        driver::CopyInto(driver::HostPath(ORVANE_EXE), Folder());
        driver::CopyInto(driver::HostPath(ORVANE_ABOUT_EXE), Folder());
        driver::WriteFileBytes(InFolder("Alpha.mp3"), Song("Alpha"));
        driver::WriteFileBytes(InFolder("Bravo.mp3"), Song("Bravo"));
        driver::WriteFileBytes(InFolder("Zulu.mp3"), Song(nullptr));
        // The player is known and there is no splash: the start asks nothing.
        for (const char* extension : {"MP3", "M3U"}) {
            const std::string type = std::string(extension) + "file";
            SetRegistryText(HKEY_CLASSES_ROOT, std::string(".") + extension, "", type);
            SetRegistryText(HKEY_CLASSES_ROOT, type + "\\shell\\open\\command", "",
                            "C:\\WinPlay3\\WinPlay3.exe %1");
        }
        SetRegistryText(HKEY_CURRENT_USER, std::string(kSettingsKey) + "\\(Default)",
                        "DontSplashScreen", "1");
    }

    Program& StartOrvane() {
        Program& program = Start(InFolder("orvane.exe"), "", Folder());
        program.Window("TMainForm");
        program.WaitIdle();
        return program;
    }
    // The three songs of the folder in the list (the file list shows the program's folder).
    void AddAll(const Program& program, HWND main) {
        driver::ChooseMenu(main, IDM_ADDALL);
        HWND list = driver::ControlById(main, IDC_SONGLIST);
        driver::WaitFor("three songs in the list", [&] { return driver::Items(list).size() == 3; });
        program.WaitIdle();
    }
    void Exit(Program& program, HWND main) {
        driver::ChooseMenu(main, IDM_EXIT);
        if (!program.WaitForExit())
            driver::Fail("the program did not end after Exit");
        EXPECT_EQ(program.ExitCode(), 0u);
    }
    // The entries the set file names (each file name appears in it as text).
    int EntriesInSetFile() {
        const std::string set = driver::ReadFileBytes(InFolder(kSetFile));
        int found = 0;
        for (const char* name : {"Alpha.mp3", "Bravo.mp3", "Zulu.mp3"})
            found += set.find(name) != std::string::npos ? 1 : 0;
        return found;
    }
    HWND TrayWindow(const Program& program) { return program.AnyWindow("OrvaneTrayIconWindow"); }
};

// Exit from the tray while Properties is up only brings the dialog forward; the program
// stays whole, and Exit after the dialog saves the set and ends it.
TEST_F(OrvaneScenario, TrayExitWhilePropertiesIsOpen) {
    Run([&] {
        Step("start and add the songs");
        Program& program = StartOrvane();
        HWND main = program.Window("TMainForm");
        AddAll(program, main);
        Step("open Properties");
        driver::ChooseMenu(main, IDM_PROPERTIES);
        HWND properties = program.Box();
        Step("tray Exit while Properties is up");
        driver::TrayClick(TrayWindow(program), orvane::kTrayCallbackMessage, 0, "right");
        driver::ChoosePopup(program, main, IDM_EXIT);
        program.WaitIdle();
        EXPECT_TRUE(program.Running());
        EXPECT_TRUE(IsWindow(properties));
        EXPECT_FALSE(driver::FileExists(InFolder(kSetFile)));
        Step("cancel Properties, then tray Exit");
        driver::ClickButton(properties, "Cancel");
        program.WaitIdle();
        driver::TrayClick(TrayWindow(program), orvane::kTrayCallbackMessage, 0, "right");
        driver::ChoosePopup(program, main, IDM_EXIT);
        if (!program.WaitForExit())
            driver::Fail("the program did not end after the tray's Exit");
        EXPECT_EQ(program.ExitCode(), 0u);
        EXPECT_EQ(EntriesInSetFile(), 3);
    });
}

// An edit of a song that is then removed is not written to it when another song is selected.
TEST_F(OrvaneScenario, EditRemoveSelectAnotherLeavesTheRemovedFile) {
    Run([&] {
        Program& program = StartOrvane();
        HWND main = program.Window("TMainForm");
        AddAll(program, main);
        HWND list = driver::ControlById(main, IDC_SONGLIST);
        Step("edit the first song's title");
        driver::Select(list, 0);
        program.WaitIdle();
        const std::string removed = InFolder(driver::Items(list)[0]);
        const std::string before = driver::ReadFileBytes(removed);
        driver::Retype(driver::ControlById(main, IDC_TITLE), "Changed");
        program.WaitIdle();
        Step("remove it and select another");
        driver::ChooseMenu(main, IDM_REMOVE);
        program.WaitIdle();
        driver::Select(list, 0);
        program.WaitIdle();
        if (program.HasBox())
            driver::Answer(program, "&Yes");
        program.WaitIdle();
        EXPECT_EQ(driver::ReadFileBytes(removed), before);
        Exit(program, main);
    });
}

// A song with only an ID3v2 tag shows its title and says so; a saved title reaches its ID3v2
// tag and a new ID3v1 tag, and the audio is as it was.
TEST_F(OrvaneScenario, AnId3v2OnlySongShowsItsTagAndSavesBothTags) {
    Run([&] {
        const orvane::test::TBytes audio = orvane::test::Frames({}, 417, 200);
        driver::WriteFileBytes(InFolder("Alpha.mp3"),
                               Id3v2Title("Old title") + std::string(audio.begin(), audio.end()));
        Program& program = StartOrvane();
        HWND main = program.Window("TMainForm");
        AddAll(program, main);
        Step("select the song");
        driver::Select(driver::ControlById(main, IDC_SONGLIST), "Alpha.mp3");
        program.WaitIdle();
        HWND title = driver::ControlById(main, IDC_TITLE);
        HWND status = driver::ControlById(main, IDC_STATUSBAR);
        EXPECT_EQ(driver::TextOf(title), "Old title");
        EXPECT_EQ(StatusPanel(status, 2), "ID3v2.3 tag");
        Step("edit the title and save");
        driver::Retype(title, "The new title");
        program.WaitIdle();
        EXPECT_EQ(StatusPanel(status, 0), "Modified");
        driver::ChooseMenu(main, IDM_SAVETAG);
        program.WaitIdle();
        const std::string file = driver::ReadFileBytes(InFolder("Alpha.mp3"));
        const orvane::test::TBytes bytes(file.begin(), file.end());
        orvane::TLatin1TagTextCodec codec;
        const auto id3v2 = orvane::ParseId3v2Tag(bytes, codec);
        ASSERT_TRUE(id3v2);
        EXPECT_EQ(id3v2->values.title, "The new title");
        ASSERT_EQ(bytes.size(), id3v2->tagLength + audio.size() + 128);
        EXPECT_TRUE(std::equal(audio.begin(), audio.end(), bytes.begin() + id3v2->tagLength));
        orvane::TTagBytes id3v1{};
        std::copy(bytes.end() - 128, bytes.end(), id3v1.begin());
        EXPECT_EQ(orvane::DecodeTag(id3v1)->title, "The new title");
        Exit(program, main);
    });
}

// Closed maximised, the next start is maximised and restores to the earlier normal rectangle.
TEST_F(OrvaneScenario, MaximisedCloseComesBackMaximised) {
    Run([&] {
        Program& first = StartOrvane();
        HWND main = first.Window("TMainForm");
        const RECT normal = driver::PlacementOf(main).rcNormalPosition;
        Step("maximise and close");
        driver::Maximise(main);
        first.WaitIdle();
        Exit(first, main);
        EXPECT_EQ(driver::IniString(PlacementIni(), "WinSaver", "TMainForm_WindowState"), "3");
        EXPECT_EQ(driver::IniString(PlacementIni(), "WinSaver", "TMainForm_Width"),
                  std::to_string(normal.right - normal.left));
        Step("start again");
        Program& second = StartOrvane();
        HWND again = second.Window("TMainForm");
        driver::WaitFor("a maximised window", [&] { return IsZoomed(again) != FALSE; });
        // Another process's normal rectangle cannot be read under Wine: restore and look (the
        // state changes before the bounds do).
        driver::Restore(again);
        const auto size = [](HWND window) {
            RECT r{};
            GetWindowRect(window, &r);
            return std::make_pair(r.right - r.left, r.bottom - r.top);
        };
        driver::WaitFor("the earlier normal rectangle", [&] {
            return IsZoomed(again) == FALSE &&
                   size(again) ==
                       std::make_pair(normal.right - normal.left, normal.bottom - normal.top);
        });
        Exit(second, again);
    });
}

// A window minimised and closed from the tray comes back at its normal place and size.
TEST_F(OrvaneScenario, MinimisedAndClosedFromTheTrayComesBackOnScreen) {
    Run([&] {
        Program& first = StartOrvane();
        HWND main = first.Window("TMainForm");
        RECT normal{};
        GetWindowRect(main, &normal);
        Step("minimise, then Exit from the tray");
        driver::Minimise(main);
        driver::WaitFor("a minimised window", [&] { return IsIconic(main) != FALSE; });
        driver::TrayClick(TrayWindow(first), orvane::kTrayCallbackMessage, 0, "right");
        driver::ChoosePopup(first, main, IDM_EXIT);
        if (!first.WaitForExit())
            driver::Fail("the program did not end after the tray's Exit");
        Step("start again: a normal window where it was");
        Program& second = StartOrvane();
        HWND again = second.Window("TMainForm");
        RECT shown{};
        GetWindowRect(again, &shown);
        EXPECT_FALSE(IsIconic(again));
        EXPECT_EQ(shown.left, normal.left);
        EXPECT_EQ(shown.top, normal.top);
        EXPECT_EQ(shown.right - shown.left, normal.right - normal.left);
        EXPECT_EQ(shown.bottom - shown.top, normal.bottom - normal.top);
        Exit(second, again);
    });
}

// A year before 1900 typed and saved with Ctrl+S is refused and never written.
TEST_F(OrvaneScenario, Year1850IsNotWritten) {
    Run([&] {
        Program& program = StartOrvane();
        HWND main = program.Window("TMainForm");
        AddAll(program, main);
        HWND list = driver::ControlById(main, IDC_SONGLIST);
        driver::Select(list, 0);
        program.WaitIdle();
        const std::string song = InFolder(driver::Items(list)[0]);
        const std::string before = driver::ReadFileBytes(song);
        Step("type 1850 into Year and press Ctrl+S");
        HWND yearEdit = driver::ControlByClass(driver::ControlById(main, IDC_YEAR), "Edit");
        driver::Retype(yearEdit, "1850");
        driver::Press(main, "Ctrl+S");
        HWND box = program.Box();
        EXPECT_EQ(driver::BoxText(box), "Not valid, please input corrent value !!");
        driver::Answer(program, "OK");
        program.WaitIdle();
        EXPECT_FALSE(program.HasBox());  // said once
        EXPECT_EQ(driver::ReadFileBytes(song), before);
        program.Kill();
    });
}

// A second start while the first copy is hidden in the tray brings the first one back.
TEST_F(OrvaneScenario, SecondStartShowsTheHiddenFirst) {
    Run([&] {
        Program& first = StartOrvane();
        HWND main = first.Window("TMainForm");
        Step("hide the first copy");
        driver::ChooseMenu(main, IDM_HIDE);
        driver::WaitFor("the main window hidden", [&] { return !IsWindowVisible(main); });
        Step("start a second copy");
        Program& second = Start(InFolder("orvane.exe"), "", Folder());
        if (!second.WaitForExit())
            driver::Fail("the second copy did not end");
        driver::WaitFor("the first copy's window shown",
                        [&] { return IsWindowVisible(main) != 0; });
        EXPECT_TRUE(first.Running());
        Exit(first, main);
    });
}

// Logoff: the set, the settings, the placement file and the tool bar section are written.
TEST_F(OrvaneScenario, EndOfSessionWritesSetAndSettings) {
    Run([&] {
        Program& program = StartOrvane();
        HWND main = program.Window("TMainForm");
        AddAll(program, main);
        DeleteFileA(PlacementIni().c_str());
        Step("end the session");
        EXPECT_NE(driver::SendBounded(main, WM_QUERYENDSESSION, 0, 0), 0);
        driver::SendBounded(main, WM_ENDSESSION, TRUE, 0);
        EXPECT_FALSE(program.HasBox());
        EXPECT_EQ(EntriesInSetFile(), 3);
        bool found = false;
        driver::RegistryString(HKEY_CURRENT_USER, std::string(kSettingsKey) + "\\General",
                               "RecentDirectory", &found);
        EXPECT_TRUE(found);
        driver::RegistryString(HKEY_CURRENT_USER, std::string(kSettingsKey) + "\\Panel",
                               "LeftPanel_Width", &found);
        EXPECT_TRUE(found);
        driver::RegistryString(HKEY_CURRENT_USER, std::string(kSettingsKey) + "\\ToolBar", "Docked",
                               &found);
        EXPECT_TRUE(found);
        EXPECT_NE(driver::IniString(PlacementIni(), "WinSaver", "TMainForm_WindowState"), "");
        program.Kill();
    });
}

// Unlocked, the tool bar dragged off its edge floats in its own window, comes back floating
// there at the next start, and docks again on a double-click of that window's caption.
TEST_F(OrvaneScenario, FloatingToolBarIsKeptAndDocksAgain) {
    Run([&] {
        SetRegistryText(HKEY_CURRENT_USER, std::string(kSettingsKey) + "\\(Default)", "LockToolBar",
                        "0");
        const std::string section = std::string(kSettingsKey) + "\\ToolBar";
        const auto stored = [&](const char* name) {
            return driver::RegistryString(HKEY_CURRENT_USER, section, name);
        };
        Program& first = StartOrvane();
        HWND main = first.Window("TMainForm");
        HWND bar = driver::ControlById(main, IDC_TOOLBAR);
        Step("drag the bar's empty part, right of its buttons, down off its edge");
        const auto count = driver::SendBounded(bar, TB_BUTTONCOUNT, 0, 0);
        const RECT last = ButtonRect(bar, static_cast<WPARAM>(count - 1));
        RECT band{};
        GetClientRect(bar, &band);
        ASSERT_LT(last.right + 20, band.right);
        POINT from{band.right - 10, band.bottom / 2};
        // Forward as a click would bring it, without a click that would make the press a
        // double-click.
        SetForegroundWindow(main);
        driver::WaitFor("the window forward", [&] { return GetForegroundWindow() == main; });
        ClientToScreen(bar, &from);
        GetWindowRect(bar, &band);
        const POINT to{band.left + 80, band.bottom + 200};
        MouseTo(from, MOUSEEVENTF_LEFTDOWN);
        MouseTo({from.x - 40, from.y + 100}, 0);
        MouseTo(to, 0);
        MouseTo(to, MOUSEEVENTF_LEFTUP);
        HWND frame = first.Window("TOrvaneToolBarFrame");
        EXPECT_EQ(driver::TextOf(frame), "Orvane Manager 1.0 Beta 2");
        EXPECT_EQ(GetWindow(frame, GW_OWNER), main);
        EXPECT_EQ(GetParent(bar), frame);
        RECT floating{};
        GetWindowRect(frame, &floating);
        EXPECT_EQ(floating.left, to.x);
        EXPECT_EQ(floating.top, to.y);
        Step("exit: where it floats is kept");
        Exit(first, main);
        EXPECT_EQ(stored("Docked"), "0");
        EXPECT_EQ(stored("FLeft"), std::to_string(floating.left));
        EXPECT_EQ(stored("FTop"), std::to_string(floating.top));
        Step("start again: floating where it was");
        Program& second = StartOrvane();
        HWND again = second.Window("TMainForm");
        HWND frameAgain = second.Window("TOrvaneToolBarFrame");
        RECT shown{};
        GetWindowRect(frameAgain, &shown);
        EXPECT_EQ(shown.left, floating.left);
        EXPECT_EQ(shown.top, floating.top);
        EXPECT_EQ(GetWindow(frameAgain, GW_OWNER), again);
        Step("double-click its caption: docked on the main window");
        driver::ClickAt(frameAgain, {30, -GetSystemMetrics(SM_CYSMCAPTION) / 2}, false, true);
        HWND barAgain = driver::ControlById(again, IDC_TOOLBAR);
        driver::WaitFor("the bar back on the main window", [&] {
            return !IsWindow(frameAgain) && GetParent(barAgain) == again &&
                   IsWindowVisible(barAgain);
        });
        Exit(second, again);
        EXPECT_EQ(stored("Docked"), "1");
    });
}

// A year picked from the Year drop-down list is the one saved, not the text the box held.
TEST_F(OrvaneScenario, YearPickedFromTheListIsSaved) {
    Run([&] {
        Program& program = StartOrvane();
        HWND main = program.Window("TMainForm");
        AddAll(program, main);
        driver::Select(driver::ControlById(main, IDC_SONGLIST), "Alpha.mp3");
        program.WaitIdle();
        HWND year = driver::ControlById(main, IDC_YEAR);
        HWND yearEdit = driver::ControlByClass(year, "Edit");
        driver::Retype(yearEdit, "1995");
        Step("drop the Year list and click 1997 in it");
        // driver::Select sets the selection (and with it the edit text) before its notice, so
        // it cannot tell the picked entry from the edit text: the list is clicked instead.
        RECT box{};
        GetClientRect(year, &box);
        driver::ClickAt(year, {box.right - 6, box.bottom / 2});
        driver::RemoteBuffer remote(year, sizeof(COMBOBOXINFO));
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        remote.Write(0, &info, sizeof info);
        driver::SendBounded(year, CB_GETCOMBOBOXINFO, 0, reinterpret_cast<LPARAM>(remote.At(0)));
        remote.Read(0, &info, sizeof info);
        HWND list = info.hwndList;
        driver::WaitFor("the Year list dropped", [&] { return IsWindowVisible(list) != FALSE; });
        RECT item{};  // carried across processes by the system
        driver::SendBounded(list, LB_GETITEMRECT, 3, reinterpret_cast<LPARAM>(&item));  // 1997
        POINT at{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
        ClientToScreen(list, &at);
        MouseTo(at, 0);
        MouseTo(at, MOUSEEVENTF_LEFTDOWN);
        MouseTo(at, MOUSEEVENTF_LEFTUP);
        driver::WaitFor("the Year list closed", [&] { return !IsWindowVisible(list); });
        program.WaitIdle();
        EXPECT_EQ(driver::TextOf(yearEdit), "1997");
        Step("save with Ctrl+S");
        driver::Press(main, "Ctrl+S");
        program.WaitIdle();
        EXPECT_FALSE(program.HasBox());
        const std::string file = driver::ReadFileBytes(InFolder("Alpha.mp3"));
        ASSERT_GT(file.size(), 128u);
        EXPECT_EQ(file.substr(file.size() - 128, 3), "TAG");
        EXPECT_EQ(file.substr(file.size() - 128 + 93, 4), "1997");
        Exit(program, main);
    });
}

}  // namespace
