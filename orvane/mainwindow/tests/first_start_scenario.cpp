// A new user's first session with the real orvane.exe, driven from outside: the player
// question, two songs added, a tag edited and saved; then what stays on disk and in the
// registry, the next start, and a second copy.
#include <gtest/gtest.h>

#include "mp3_builder.h"
#include "resource.h"
#include "scenario_test.h"

namespace {

using namespace driver;

constexpr const char* kSettingsKey = "Software\\Brindle\\Orvane Manager";

std::string SongBytes() {
    const orvane::test::TBytes frames = orvane::test::Frames({}, 417, 200);
    return std::string(frames.begin(), frames.end());
}

class FirstStartScenario : public ScenarioTest {
  protected:
    // The program with its library beside it, a player to point it at, and two untagged songs.
    void SetUp() override {
        ScenarioTest::SetUp();
        CopyInto(ORVANE_EXE, Folder());
        CopyInto(ORVANE_ABOUT_EXE, Folder());  // About.DLL
        CopyInto(WINPLAY3_STANDIN_EXE, Folder());
        WriteFileBytes(InFolder("First.mp3"), SongBytes());
        WriteFileBytes(InFolder("Second.mp3"), SongBytes());
    }
    Program& StartOrvane() { return Start(InFolder("orvane.exe")); }
    static std::vector<std::string> Songs(HWND window) {
        return Items(ControlById(window, IDC_SONGLIST));
    }
};

TEST_F(FirstStartScenario, KeepsTheListTheTagAndTheAssociationAndRunsOnce) {
    Run([&] {
        Step("first start: the player question, answered with the player's place");
        Program& orvane = StartOrvane();
        EXPECT_NE(Answer(orvane, "OK").find("location of WinPlay3.EXE"), std::string::npos);
        HWND find = orvane.Box();
        Retype(ControlById(find, 0x47c), "WinPlay3.exe");
        ClickButton(find, "&Open");
        EXPECT_NE(Answer(orvane, "OK").find("Welcome to Orvane Manager"), std::string::npos);

        Step("add the two songs from the file list");
        HWND window = orvane.Window("TMainForm");
        HWND files = ControlById(window, IDC_FILELIST);
        WaitFor("the songs in the file list", [&] { return Items(files).size() == 2; });
        Select(files, 0);
        Press(files, "Shift+Down");
        ChooseMenu(window, IDM_ADD);
        WaitFor("two songs in the list", [&] { return Songs(window).size() == 2; });

        Step("edit the first song's title and save the tag");
        Select(ControlById(window, IDC_SONGLIST), 0);
        Retype(ControlById(window, IDC_TITLE), "Morning");
        ChooseMenu(window, IDM_SAVETAG);
        WaitFor("the tag written", [&] {
            const std::string bytes = ReadFileBytes(InFolder("First.mp3"));
            return bytes.size() == SongBytes().size() + 128;
        });

        Step("exit");
        ChooseMenu(window, IDM_EXIT);
        ASSERT_TRUE(orvane.WaitForExit());

        Step("what stayed: the tag, the set file, the registry");
        const std::string first = ReadFileBytes(InFolder("First.mp3"));
        EXPECT_EQ(first.substr(0, SongBytes().size()), SongBytes());
        EXPECT_EQ(first.substr(first.size() - 128, 10), std::string("TAGMorning"));
        EXPECT_EQ(ReadFileBytes(InFolder("Second.mp3")), SongBytes());
        bool found = false;
        for (const std::string& name : FilesIn(Folder()))
            found = found || name.find(".OVM") != std::string::npos;
        EXPECT_TRUE(found) << "no set file in the program's folder";
        EXPECT_NE(RegistryString(HKEY_CLASSES_ROOT, "MP3file\\shell\\open\\command", "")
                      .find("WinPlay3.exe"),
                  std::string::npos);
        bool stored = false;
        const std::string recent = RegistryString(
            HKEY_CURRENT_USER, std::string(kSettingsKey) + "\\General", "RecentDirectory", &stored);
        EXPECT_TRUE(stored) << "no RecentDirectory under " << kSettingsKey;
        EXPECT_EQ(CharUpperA(std::string(recent).data()),
                  std::string(CharUpperA(std::string(Folder()).data())).substr(0, recent.size()));

        Step("the next start shows the same list");
        Program& again = StartOrvane();
        HWND next = again.Window("TMainForm");
        WaitFor("the two songs again", [&] { return Songs(next).size() == 2; });

        Step("a second copy brings the first forward and ends");
        Program& second = StartOrvane();
        EXPECT_TRUE(second.WaitForExit());
        EXPECT_TRUE(again.Running());
        EXPECT_EQ(GetForegroundWindow(), next);
        ChooseMenu(next, IDM_EXIT);
        EXPECT_TRUE(again.WaitForExit());
    });
}

}  // namespace
