// Orvane under C:\Program Files with the Windows folder unwritable, as a standard user meets
// it: the placement, the set and the playlist go to the per-user folder, said once, and come
// back from there; where even that folder refuses, the failed writes are reported.
#include <windows.h>

#include <string>

#include "mp3_builder.h"
#include "resource.h"
#include "scenario_test.h"

namespace {

using driver::Program;

const std::string kProgram = "C:\\Program Files\\Orvane";

class PerUserFilesScenario : public driver::ScenarioTest {
  protected:
    void SetUp() override {
        ScenarioTest::SetUp();
        driver::FreshFolder(kProgram);
        driver::CopyInto(driver::HostPath(ORVANE_EXE), kProgram);
        driver::CopyInto(driver::HostPath(ORVANE_ABOUT_EXE), kProgram);
        const orvane::test::TBytes song = orvane::test::Frames({}, 417, 200);
        for (const char* name : {"Alpha.mp3", "Bravo.mp3"})
            driver::WriteFileBytes(InFolder(name), std::string(song.begin(), song.end()));
        // The player is known, no splash, and the file list shows the songs' folder.
        for (const std::string type : {"MP3", "M3U"}) {
            Set(HKEY_CLASSES_ROOT, "." + type, "", type + "file");
            Set(HKEY_CLASSES_ROOT, type + "file\\shell\\open\\command", "",
                "C:\\WinPlay3\\WinPlay3.exe %1");
        }
        Set(HKEY_CURRENT_USER, std::string(kKey) + "\\(Default)", "DontSplashScreen", "1");
        Set(HKEY_CURRENT_USER, std::string(kKey) + "\\General", "RecentDirectory", Folder());
        for (const std::string& folder : {kProgram, std::string("C:\\windows")})
            ASSERT_TRUE(driver::MakeUnwritable(folder)) << folder;
    }
    static void Set(HKEY root, const std::string& key, const std::string& value,
                    const std::string& text) {
        HKEY opened = nullptr;
        RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &opened, nullptr);
        RegSetValueExA(opened, value.empty() ? nullptr : value.c_str(), 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(text.c_str()),
                       static_cast<DWORD>(text.size() + 1));
        RegCloseKey(opened);
    }
    Program& StartOrvane() { return Start(kProgram + "\\orvane.exe", "", Folder()); }
    // Both songs into the list, maximised, then Exit answering each box with OK; the
    // boxes' texts come back.
    std::string AddMaximiseExit(Program& program) {
        HWND main = program.Window("TMainForm");
        driver::ChooseMenu(main, IDM_ADDALL);
        HWND list = driver::ControlById(main, IDC_SONGLIST);
        driver::WaitFor("two songs in the list", [&] { return driver::Items(list).size() == 2; });
        driver::Maximise(main);
        program.WaitIdle();
        driver::ChooseMenu(main, IDM_EXIT);
        std::string said;
        while (!program.WaitForExit(2000)) said += driver::Answer(program, "OK") + "\n";
        return said;
    }
    static constexpr char kKey[] = "Software\\Brindle\\Orvane Manager";
};

TEST_F(PerUserFilesScenario, SaidOnceKeptPerUserAndReadBack) {
    Run([&] {
        const std::string perUser = driver::AppDataFolder() + "\\orvane";
        Step("first start: one box says where the files are kept");
        Program& first = StartOrvane();
        EXPECT_EQ(driver::Answer(first, "OK"),
                  "Orvane cannot write to C:\\windows and " + kProgram +
                      "; it keeps Velmor.INI, its set files and OVM.M3U in " + perUser +
                      " instead.");
        EXPECT_EQ(AddMaximiseExit(first), "");
        Step("the files are in the per-user folder");
        EXPECT_EQ(driver::IniString(perUser + "\\Velmor.INI", "WinSaver", "TMainForm_WindowState"),
                  "3");
        EXPECT_NE(driver::ReadFileBytes(perUser + "\\(Default).OVM").find("Bravo.mp3"),
                  std::string::npos);
        EXPECT_TRUE(driver::FileExists(perUser + "\\OVM.M3U"));
        EXPECT_EQ(driver::FilesIn(kProgram), (std::vector<std::string>{"About.DLL", "orvane.exe"}));
        Step("next start: nothing said, the list and the placement come back");
        Program& second = StartOrvane();
        HWND main = second.Window("TMainForm");
        second.WaitIdle();
        EXPECT_FALSE(second.HasBox());
        driver::WaitFor("a maximised window", [&] { return IsZoomed(main) != FALSE; });
        EXPECT_EQ(driver::Items(driver::ControlById(main, IDC_SONGLIST)).size(), 2u);
    });
}

TEST_F(PerUserFilesScenario, PerUserFolderUnwritableTooIsReported) {
    Run([&] {
        ASSERT_TRUE(driver::MakeUnwritable(driver::AppDataFolder()));
        Program& program = StartOrvane();
        program.WaitIdle();
        EXPECT_FALSE(program.HasBox()) << "nothing was moved";
        const std::string said = AddMaximiseExit(program);
        EXPECT_NE(said.find("Unable to write to " + kProgram + "\\(Default).OVM"),
                  std::string::npos)
            << said;
        EXPECT_NE(said.find("Unable to write to C:\\windows\\Velmor.INI"), std::string::npos)
            << said;
    });
}

}  // namespace
