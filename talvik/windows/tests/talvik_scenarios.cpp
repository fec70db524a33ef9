// Scenarios through the real talvik.exe, driven from outside as a user would use it.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "resource.h"
#include "scenario_test.h"

namespace {

using namespace driver;

// An 8-bit RAW track: sounds of the given lengths (byte 100) between silences (byte 0)
// longer than the default "Silence" of 2000.
std::string Track(std::initializer_list<int> lengths) {
    std::string bytes(50, '\0');
    for (int n : lengths) {
        bytes += std::string(static_cast<std::size_t>(n), '\x64');
        bytes += std::string(3000, '\0');
    }
    return bytes;
}

bool IsFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::string TrackName(int track) {
    return std::string("track") + (track < 10 ? "0" : "") + std::to_string(track) + ".RAW";
}

class SplitterScenario : public ScenarioTest {
  protected:
    // Starts the program and points Sourcedir and Savedir at `folder`.
    HWND startOn(const std::string& folder, const std::string& startIn = "") {
        program = &Start(TALVIK_EXE, "", startIn);
        HWND window = program->Window("TalvikForm1");
        retype(window, IDC_EDIT1, folder + "\\");
        retype(window, IDC_EDIT2, folder + "\\");
        return window;
    }
    static std::string text(HWND window, int id) { return TextOf(ControlById(window, id)); }
    // Types over a box's text and waits until the box holds it: a click or close posted
    // right after the keystrokes can overtake the last of them.
    static void retype(HWND window, int id, const std::string& value) {
        Retype(ControlById(window, id), value);
        waitForText(window, id, value);
    }
    static void waitForText(HWND window, int id, const std::string& expected) {
        WaitFor("\"" + expected + "\" in control " + std::to_string(id),
                [&] { return TextOf(ControlById(window, id)) == expected; });
    }
    void closeAndWait(HWND window) {
        Close(window);
        EXPECT_TRUE(program->WaitForExit());
    }
    Program* program = nullptr;
};

TEST_F(SplitterScenario, AnalyzeStepSplitAndSaveThenTheSettingsFile) {
    Run([&] {
        WriteFileBytes(InFolder("track01.RAW"), Track({3000, 6000}));
        HWND window = startOn(Folder());
        Step("Analyze track 1");
        ClickButton(window, IDC_BUTTON6);
        waitForText(window, IDC_LABEL1, "2 (2)");
        Step("step to the second sound");
        ClickButton(window, IDC_BUTTON3);
        WaitFor("View previous enabled",
                [&] { return IsEnabled(ControlById(window, IDC_BUTTON2)); });
        EXPECT_FALSE(IsEnabled(ControlById(window, IDC_BUTTON3)));
        Step("Split&save");
        ClickButton(window, IDC_BUTTON4);
        const std::string out = InFolder("TRACK01");
        const std::vector<std::string> both = {"SAMPLE01.WAV", "SAMPLE02.WAV"};
        WaitFor("the two sounds written", [&] { return FilesIn(out) == both; });
        const std::string first = ReadFileBytes(out + "\\SAMPLE01.WAV");
        EXPECT_GT(first.size(), 2990u);  // the first sound, as it was in the track
        EXPECT_EQ(first.find_first_not_of('\x64'), std::string::npos);
        Step("close: tvk.prf written in the start folder");
        retype(window, IDC_EDIT5, "SND");
        closeAndWait(window);
        const std::string settings = ReadFileBytes(InFolder("tvk.prf"));
        ASSERT_EQ(settings.size(), 34440u);
        EXPECT_EQ(settings.substr(246, 4), std::string("\x03SND"));
    });
}

// Typing 2000 over 1000 passes through 12000; only the value left in the box acts.
TEST_F(SplitterScenario, MinSizeTypedThroughAHigherValueMarksOnlyWhatItsValueSays) {
    Run([&] {
        WriteFileBytes(InFolder("track01.RAW"), Track({1500, 3000, 4500, 8000, 15000}));
        HWND window = startOn(Folder());
        ClickButton(window, IDC_BUTTON6);
        waitForText(window, IDC_LABEL1, "5 (5)");
        Step("type 12000, then 2000, into Min. size and leave the box");
        retype(window, IDC_SPINEDIT5, "12000");
        retype(window, IDC_SPINEDIT5, "2000");
        Press(window, "Tab");
        waitForText(window, IDC_LABEL1, "4 (5)");
        EXPECT_FALSE(IsChecked(ControlById(window, IDC_CHECKBOX2)));  // the 1500 sound shown
        Step("Enter commits 4000, the up arrow 5000");
        retype(window, IDC_SPINEDIT5, "4000");
        Press(window, "Enter");
        waitForText(window, IDC_LABEL1, "3 (5)");
        Press(window, "Up");
        waitForText(window, IDC_SPINEDIT5, "5000");
        waitForText(window, IDC_LABEL1, "2 (5)");
        Step("Split&save writes the marked sounds");
        ClickButton(window, IDC_BUTTON4);
        const std::string out = InFolder("TRACK01");
        const std::vector<std::string> marked = {"SAMPLE04.WAV", "SAMPLE05.WAV"};
        WaitFor("the marked sounds written", [&] { return FilesIn(out) == marked; });
        program->WaitIdle();
        EXPECT_EQ(FilesIn(out), marked);
    });
}

TEST_F(SplitterScenario, WarningClosedWithAltF4ShowsAgain) {
    Run([&] {
        HWND window = startOn(Folder());
        Step("Analyze of a missing track");
        ClickButton(window, IDC_BUTTON6);
        HWND warning = program->Window("Warning:");
        EXPECT_EQ(text(warning, IDC_WARNING_PANEL1), "File does not exist!");
        Step("Alt+F4 on the warning");
        Press(warning, "Alt+F4");
        WaitFor("the warning hidden", [&] { return !IsVisible(warning); });
        EXPECT_TRUE(IsWindow(warning));
        Step("Analyze again: the warning shows again");
        ClickButton(window, IDC_BUTTON6);
        WaitFor("the warning shown", [&] { return IsVisible(warning); });
        EXPECT_EQ(text(warning, IDC_WARNING_PANEL1), "File does not exist!");
        Step("the about and grab windows: Alt+F4, then shown again");
        for (const auto& [button, title] :
             {std::pair{IDC_BITBTN2, "About"}, std::pair{IDC_TRACKGRAB, "Morvel1.0"}}) {
            ClickButton(window, button);
            HWND small = program->Window(title);
            Press(small, "Alt+F4");
            WaitFor(std::string(title) + " hidden", [&] { return !IsVisible(small); });
            ClickButton(window, button);
            WaitFor(std::string(title) + " shown", [&] { return IsVisible(small); });
        }
    });
}

// The settings file keeps 40 characters a text: a Savedir of 41 comes back without its
// closing "\" and would send the sounds into a folder beside it.
TEST_F(SplitterScenario, CutSavedirIsNamedAndNoSoundGoesBesideIt) {
    Run([&] {
        const std::string home = "C:\\tvks";
        std::string out = "C:\\talvik-scenario-output-";
        out.resize(40, 'o');
        FreshFolder(home);
        FreshFolder(out);
        WriteFileBytes(home + "\\track01.RAW", Track({3000, 4000}));
        HWND window = startOn(home, home);
        Step("a Savedir of 41 characters, then close");
        retype(window, IDC_EDIT2, out + "\\");
        closeAndWait(window);
        Step("restart: the Savedir is named, not used");
        program = &Start(TALVIK_EXE, "", home);
        const std::string said = Answer(*program, "OK");
        EXPECT_NE(said.find("Savedir could not be restored"), std::string::npos) << said;
        window = program->Window("TalvikForm1");
        EXPECT_EQ(text(window, IDC_EDIT2), home + "\\");  // what the destination list puts there
        Step("Analyze and Split&save");
        ClickButton(window, IDC_BUTTON6);
        waitForText(window, IDC_LABEL1, "2 (2)");
        ClickButton(window, IDC_BUTTON4);
        WaitFor("the sounds in the shown Savedir", [&] {
            return FilesIn(home + "\\TRACK01") ==
                   std::vector<std::string>{"SAMPLE01.WAV", "SAMPLE02.WAV"};
        });
        EXPECT_FALSE(IsFolder(out + "TRACK01"));
    });
}

TEST_F(SplitterScenario, ArrowsAndTabLeaveTheFormatsAlone) {
    Run([&] {
        HWND window = startOn(Folder());
        Step("the radio groups: a group each, one tab stop on the choice");
        ClickButton(window, IDC_TRACKGRAB);
        HWND grab = program->Window("Morvel1.0");
        const std::vector<std::pair<HWND, std::vector<int>>> groups = {
            {window, {IDC_RADIOBUTTON3, IDC_RADIOBUTTON4, IDC_RADIOBUTTON5}},
            {window, {IDC_RADIOBUTTON1, IDC_RADIOBUTTON2, IDC_RADIOBUTTON7}},
            {grab, {IDC_GRAB_RADIOBUTTON3, IDC_GRAB_RADIOBUTTON4}},
            {grab, {IDC_GRAB_RADIOBUTTON6, IDC_GRAB_RADIOBUTTON7}},
            {grab, {IDC_GRAB_RADIOBUTTON1, IDC_GRAB_RADIOBUTTON2, IDC_GRAB_RADIOBUTTON5}}};
        for (const auto& [owner, group] : groups) {
            for (int id : group) {
                HWND button = ControlById(owner, id);
                const LONG style = GetWindowLongA(button, GWL_STYLE);
                EXPECT_EQ((style & WS_GROUP) != 0, id == group.front()) << id;
                EXPECT_EQ((style & WS_TABSTOP) != 0, IsChecked(button)) << id;
            }
            HWND after = GetWindow(ControlById(owner, group.back()), GW_HWNDNEXT);
            EXPECT_NE(GetWindowLongA(after, GWL_STYLE) & WS_GROUP, 0) << group.back();
        }
        ClickButton(grab, IDC_GRAB_SPEEDBUTTON1);
        Step("arrows inside the load group");
        Focus(ControlById(window, IDC_RADIOBUTTON3));
        for (int i = 0; i < 4; ++i) {
            Press(window, "Down");
            const int at = GetDlgCtrlID(FocusedControl(*program));
            EXPECT_TRUE(at >= IDC_RADIOBUTTON3 && at <= IDC_RADIOBUTTON5) << at;
        }
        Step("Tab around the window");
        Press(window, "Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab");
        Step("the save format as it was: the arrows never left the load group");
        EXPECT_TRUE(IsChecked(ControlById(window, IDC_RADIOBUTTON1)));
        EXPECT_FALSE(IsEnabled(ControlById(window, IDC_RADIOBUTTON7)));
        EXPECT_EQ(text(window, IDC_EDIT4), "WAV");
    });
}

// With Starttrack 5, typing "12" into Endtrack passes through "1": the range is
// corrected when the box is left, so Auto-mode runs 5 to 12.
TEST_F(SplitterScenario, EndtrackTypedTwelveWithStarttrackFive) {
    Run([&] {
        for (int t = 5; t <= 25; ++t) {
            WriteFileBytes(InFolder(TrackName(t)), Track({3000}));
        }
        HWND window = startOn(Folder());
        Step("Starttrack 5, Endtrack 12");
        retype(window, IDC_SPINEDIT1, "5");
        Press(window, "Tab");
        waitForText(window, IDC_SPINEDIT2, "5");
        retype(window, IDC_SPINEDIT2, "12");
        Press(window, "Tab");
        waitForText(window, IDC_SPINEDIT2, "12");
        Step("the same in the grab window");
        ClickButton(window, IDC_TRACKGRAB);
        HWND grab = program->Window("Morvel1.0");
        retype(grab, IDC_GRAB_SPINEDIT1, "5");
        Press(grab, "Tab");
        retype(grab, IDC_GRAB_SPINEDIT2, "12");
        Press(grab, "Tab");
        waitForText(grab, IDC_GRAB_SPINEDIT2, "12");
        ClickButton(grab, IDC_GRAB_SPEEDBUTTON1);
        Step("Auto-mode runs 5 to 12");
        ClickButton(window, IDC_CHECKBOX4);
        WaitFor("Auto-mode enabled", [&] { return IsEnabled(ControlById(window, IDC_BUTTON5)); });
        ClickButton(window, IDC_BUTTON5);
        WaitFor("track 12 saved", [&] { return FileExists(InFolder("TRACK12\\SAMPLE01.WAV")); });
        program->WaitIdle();
        EXPECT_TRUE(FileExists(InFolder("TRACK05\\SAMPLE01.WAV")));
        EXPECT_FALSE(IsFolder(InFolder("TRACK13")));
        EXPECT_FALSE(IsFolder(InFolder("TRACK25")));
    });
}

}  // namespace
