// tvk.prf for a program under Program Files, whose folder a standard user cannot write:
// the real talvik.exe run without root's permission override (registered UNPRIVILEGED).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resource.h"
#include "scenario_test.h"

namespace {

using namespace driver;

class SettingsPlaceScenario : public ScenarioTest {};

TEST_F(SettingsPlaceScenario, AnUnwritableStartFolderKeepsTvkPrfInTheUsersOwnFolder) {
    Run([&] {
        const std::string installed = "C:\\Program Files\\Talvik";
        FreshFolder(installed);
        CopyInto(HostPath(TALVIK_EXE), installed);
        ASSERT_TRUE(MakeUnwritable(installed));
        const std::string own = AppDataFolder() + "\\talvik";
        const std::string exe = installed + "\\talvik.exe";

        Step("first start: the one message says where tvk.prf goes");
        Program* program = &Start(exe, "", installed);
        HWND window = program->Window("TalvikForm1");
        EXPECT_EQ(Answer(*program, "OK"), "Talvik cannot write to " + installed +
                                              "; it keeps tvk.prf in " + own + " instead.");
        program->WaitIdle();
        EXPECT_FALSE(program->HasBox());
        Step("change Saveprefix and close");
        Retype(ControlById(window, IDC_EDIT5), "SND");
        WaitFor("SND in Saveprefix",
                [&] { return TextOf(ControlById(window, IDC_EDIT5)) == "SND"; });
        Close(window);
        ASSERT_TRUE(program->WaitForExit());
        const std::string settings = ReadFileBytes(own + "\\tvk.prf");
        ASSERT_EQ(settings.size(), 34440u);
        EXPECT_EQ(settings.substr(246, 4), std::string("\x03SND"));
        EXPECT_EQ(FilesIn(installed), std::vector<std::string>{"talvik.exe"});

        Step("second start: nothing said, Saveprefix back");
        program = &Start(exe, "", installed);
        window = program->Window("TalvikForm1");
        program->WaitIdle();
        EXPECT_FALSE(program->HasBox());
        EXPECT_EQ(TextOf(ControlById(window, IDC_EDIT5)), "SND");
        Close(window);
        EXPECT_TRUE(program->WaitForExit());
    });
}

}  // namespace
