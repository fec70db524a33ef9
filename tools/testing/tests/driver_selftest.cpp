// The window driver's own test: every verb against a small target window made for it.
#include <gtest/gtest.h>

#include "driver_target.h"
#include "scenario_test.h"

namespace {

using namespace driver;

class DriverSelfTest : public ScenarioTest {
  protected:
    Program& StartTarget() { return Start(DRIVER_TARGET_EXE); }
    static std::string LogOf(HWND window) { return TextOf(ControlById(window, TARGET_LOG)); }
    static void ExpectLog(HWND window, const std::string& event) {
        WaitFor("the log to say \"" + event + "\"", [&] { return LogOf(window) == event; });
    }
};

TEST_F(DriverSelfTest, ReadsWindowsControlsAndItems) {
    Run([&] {
        Program& target = StartTarget();
        Step("find the window and its controls");
        HWND window = target.Window("DriverTarget");
        EXPECT_EQ(TextOf(window), "Driver target");
        EXPECT_EQ(ControlByText(window, "Hello"), ControlById(window, TARGET_HELLO));
        EXPECT_EQ(ControlByClass(window, "Button", 1), ControlById(window, TARGET_CHECK));
        EXPECT_EQ(LogOf(window), "started");
        Step("read the items of every list");
        using Labels = std::vector<std::string>;
        EXPECT_EQ(Items(ControlById(window, TARGET_LIST)), (Labels{"one", "two", "three"}));
        EXPECT_EQ(Items(ControlById(window, TARGET_COMBO)), (Labels{"red", "green", "blue"}));
        EXPECT_EQ(Items(ControlById(window, TARGET_ROWS)), (Labels{"alpha", "beta", "gamma"}));
        EXPECT_EQ(Items(ControlById(window, TARGET_TREE)), (Labels{"Root", "Leaf A", "Leaf B"}));
        EXPECT_EQ(TreeItems(ControlById(window, TARGET_TREE)).at(2).depth, 1);
        EXPECT_EQ(SelectedIndex(ControlById(window, TARGET_LIST)), -1);
        Step("a step that cannot be done says what it saw");
        try {
            target.Window("NoSuchWindow", 300);
            ADD_FAILURE() << "a missing window was found";
        } catch (const StepFailed& failed) {
            EXPECT_NE(std::string(failed.what()).find("\"NoSuchWindow\""), std::string::npos);
            EXPECT_NE(std::string(failed.what()).find("DriverTarget \"Driver target\""),
                      std::string::npos)
                << failed.what();
        }
        Step("a screenshot is a picture file");
        ASSERT_TRUE(SaveScreenshot(InFolder("screen.bmp")));
        EXPECT_EQ(ReadFileBytes(InFolder("screen.bmp")).substr(0, 2), "BM");
    });
}

TEST_F(DriverSelfTest, ClicksTypesAndSelectsAsAPersonWould) {
    Run([&] {
        Program& target = StartTarget();
        HWND window = target.Window("DriverTarget");
        Step("a button that opens a box; the box answered by its button's text");
        ClickButton(window, "&Hello");
        EXPECT_EQ(Answer(target, "&Yes"), "Hello there");
        ExpectLog(window, "box yes");
        ClickButton(window, TARGET_HELLO);
        target.Box();
        EXPECT_TRUE(target.HasBox());
        Answer(target, "No");
        ExpectLog(window, "box no");
        Step("typing fires the edit's change notices, letters outside ASCII too");
        Type(ControlById(window, TARGET_EDIT), "Caf\xe9 12");
        ExpectLog(window, "edit Caf\xe9 12");
        Retype(ControlById(window, TARGET_EDIT), "new");
        ExpectLog(window, "edit new");
        Step("selecting in every kind of list");
        Select(ControlById(window, TARGET_LIST), 1);
        ExpectLog(window, "list 1");
        EXPECT_EQ(SelectedIndex(ControlById(window, TARGET_LIST)), 1);
        Select(ControlById(window, TARGET_COMBO), "blue");
        ExpectLog(window, "combo 2");
        Select(ControlById(window, TARGET_ROWS), "gamma");
        ExpectLog(window, "row 2");
        EXPECT_EQ(SelectedRows(ControlById(window, TARGET_ROWS)), std::vector<int>{2});
        Select(ControlById(window, TARGET_TREE), "Root>Leaf B");
        ExpectLog(window, "tree Leaf B");
        DoubleClickItem(ControlById(window, TARGET_LIST), 2);
        ExpectLog(window, "list double 2");
        Step("a check box");
        ClickButton(window, "&Check");
        ExpectLog(window, "check 1");
        EXPECT_TRUE(IsChecked(ControlById(window, TARGET_CHECK)));
    });
}

TEST_F(DriverSelfTest, MenusKeysAndTheTrayIcon) {
    Run([&] {
        Program& target = StartTarget();
        HWND window = target.Window("DriverTarget");
        Step("menu commands by id and by their captions");
        ChooseMenu(window, TARGET_SAVE);
        ExpectLog(window, "menu 101");
        EXPECT_EQ(MenuIdFromResource(HostPath(DRIVER_TARGET_EXE), "File>Exit"), TARGET_EXIT);
        ChooseMenu(window, HostPath(DRIVER_TARGET_EXE), "Help>About");
        ExpectLog(window, "menu 201");
        Step("keys reach the accelerators and the dialog keys");
        Retype(ControlById(window, TARGET_EDIT), "x");
        Press(window, "Ctrl+S");
        ExpectLog(window, "menu 101");
        Press(window, "F1");
        ExpectLog(window, "menu 201");
        Focus(ControlById(window, TARGET_EDIT));
        Press(window, "Tab");
        WaitFor("the focus on the list",
                [&] { return FocusedControl(target) == ControlById(window, TARGET_LIST); });
        Press(window, "Shift+Tab");
        WaitFor("the focus back on the edit",
                [&] { return FocusedControl(target) == ControlById(window, TARGET_EDIT); });
        Step("the tray icon: a click, and a choice from its menu");
        TrayClick(window, TARGET_TRAY_MESSAGE, TARGET_TRAY_ID, "left");
        ExpectLog(window, "tray left");
        TrayClick(window, TARGET_TRAY_MESSAGE, TARGET_TRAY_ID, "right");
        ChoosePopup(target, window, TARGET_TRAY_HELLO);
        ExpectLog(window, "menu 302");
    });
}

TEST_F(DriverSelfTest, WindowStatesEndOfSessionAndClosing) {
    Run([&] {
        Program& target = StartTarget();
        HWND window = target.Window("DriverTarget");
        auto shown = [&](UINT state) {
            WaitFor("show state " + std::to_string(state),
                    [&] { return PlacementOf(window).showCmd == state; });
        };
        Step("maximise, restore, minimise, restore");
        Maximise(window);
        shown(SW_SHOWMAXIMIZED);
        Restore(window);
        shown(SW_SHOWNORMAL);
        Minimise(window);
        shown(SW_SHOWMINIMIZED);
        Restore(window);
        shown(SW_SHOWNORMAL);
        Step("the end of the session asked");
        EXPECT_EQ(SendBounded(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
        ExpectLog(window, "query end session");
        Step("Alt+F4 closes the program");
        Press(window, "Alt+F4");
        EXPECT_TRUE(target.WaitForExit());
        EXPECT_EQ(target.ExitCode(), 0u);
    });
}

}  // namespace
