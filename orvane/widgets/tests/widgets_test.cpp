// The portable rules of the window widgets.
#include <gtest/gtest.h>

#include "memory_profile_file.h"
#include "memory_settings_store.h"
#include "single_instance.h"
#include "tool_bar_state.h"
#include "tray_icon_rules.h"
#include "window_placement.h"

namespace orvane {
namespace {

TEST(WindowPlacement, FileNameIsInTheWindowsDirectoryWithExtensionIni) {
    EXPECT_EQ(PlacementFileName("C:\\windows", "Velmor.ini"), "C:\\windows\\Velmor.INI");
    EXPECT_EQ(PlacementFileName("C:\\windows\\", "D:\\x\\Orvane"), "C:\\windows\\Orvane.INI");
}

TEST(WindowPlacement, ReadingFollowsTheStoredValuesAndKeepsTheRest) {
    const TWindowPlacement current{10, 20, 300, 200, TWindowShowState::Minimized};
    struct Case {
        const char* name;
        std::map<std::string, std::string> stored;
        TWindowPlacement expected;
    };
    const Case cases[] = {
        {"first start keeps everything but the state", {}, {10, 20, 300, 200}},
        {"all keys",
         {{"WinSaver/TMainForm_Width", "640"},
          {"WinSaver/TMainForm_Height", "0x1E0"},
          {"WinSaver/TMainForm_Top", "-4"},
          {"WinSaver/TMainForm_Left", "7"},
          {"WinSaver/TMainForm_WindowState", "3"}},
         {7, -4, 640, 480, TWindowShowState::Maximized}},
        {"state 7 and a word leave them",
         {{"WinSaver/TMainForm_WindowState", "7"}, {"WinSaver/TMainForm_Width", "wide"}},
         {10, 20, 300, 200, TWindowShowState::Minimized}},
    };
    for (const Case& c : cases) {
        MemoryProfileFile file;
        file.values = c.stored;
        EXPECT_EQ(ReadPlacement(file, "WinSaver", "TMainForm", current), c.expected) << c.name;
    }
}

TEST(WindowPlacement, WritesFiveKeysAndReportsAFailedWrite) {
    MemoryProfileFile file;
    const TWindowPlacement placement{1, 2, 3, 4, TWindowShowState::Maximized};
    WritePlacement(file, "WinSaver", "TMainForm", placement);
    EXPECT_EQ(file.values.size(), 5u);
    EXPECT_EQ(file.values["WinSaver/TMainForm_WindowState"], "3");
    EXPECT_EQ(ReadPlacement(file, "WinSaver", "TMainForm", {}), placement);
    file.failWrites = true;
    try {
        WritePlacement(file, "WinSaver", "TMainForm", placement);
        FAIL() << "no error";
    } catch (const PlacementWriteError& e) {
        EXPECT_STREQ(e.what(), "Unable to write to C:\\windows\\Velmor.INI");
    }
}

TEST(SingleInstance, NameAndTitle) {
    EXPECT_EQ(InstanceSemaphoreName("orvane.exe", "12/7/2026", "11:02:03 PM", 123456),
              "orvane.exe12/7/202611:02:03 PM123456");
    EXPECT_EQ(InstanceSemaphoreName("", "d", "t", 5), "");
    EXPECT_EQ(ProgramFilePart("C:\\Program Files\\orvane.exe"), "orvane.exe");
    EXPECT_EQ(ApplicationWindowTitle("Orvane Manager 1.0 Beta2"), "Orvane Manager 1.0 Beta2");
    EXPECT_EQ(ApplicationWindowTitle("C:\\x:Orvane"), "Orvane");
}

TEST(TrayIcon, MouseMessagesAndTheTip) {
    EXPECT_EQ(TrayActionFor(0x0202), TTrayAction::Click);
    EXPECT_EQ(TrayActionFor(0x0203), TTrayAction::DoubleClick);
    EXPECT_EQ(TrayActionFor(0x0205), TTrayAction::PopupMenu);
    EXPECT_EQ(TrayActionFor(0x0200), TTrayAction::None);
    const std::string seventy(70, 'x');
    EXPECT_EQ(TrayTip(seventy), std::string(62, 'x'));
    EXPECT_EQ(TrayTip("short"), "short");
    // A two-byte character straddling the 62nd place is dropped whole.
    std::string wide(61, 'a');
    wide += "\x81\x40zz";
    EXPECT_EQ(TrayTip(wide, [](unsigned char c) { return c == 0x81; }), std::string(61, 'a'));
}

TEST(ToolBarState, RoundTripsDockedAndFloatingAndReadsOnlyWhatTheSideNeeds) {
    const TToolBarState current{true, TToolBarAlign::Top, 0, 0, 500, 30, 40, 50};
    struct Case {
        const char* name;
        TToolBarState written;
        TToolBarState expected;
    };
    const Case cases[] = {
        {"docked top reads the height only",
         {true, TToolBarAlign::Top, 9, 9, 9, 28, 0, 0},
         {true, TToolBarAlign::Top, 0, 0, 500, 28, 40, 50}},
        {"docked left reads the width only",
         {true, TToolBarAlign::Left, 9, 9, 33, 9, 0, 0},
         {true, TToolBarAlign::Left, 0, 0, 33, 30, 40, 50}},
        {"floating reads the remembered placement",
         {false, TToolBarAlign::Bottom, 1, 2, 3, 4, 0, 0},
         {false, TToolBarAlign::Bottom, 1, 2, 3, 4, 40, 50}},
    };
    for (const Case& c : cases) {
        MemorySettingsStore store;
        WriteToolBarState(store, c.written);
        EXPECT_EQ(ReadToolBarState(store, current), c.expected) << c.name;
    }
    MemorySettingsStore empty;
    EXPECT_EQ(ReadToolBarState(empty, current), current) << "first start";
    WriteFloatingPosition(empty, 70, 80);
    EXPECT_EQ(ReadToolBarState(empty, current), current) << "docked ignores FTop/FLeft";
}

}  // namespace
}  // namespace orvane
