// brevant.cfg for a program under Program Files, whose folder a standard user cannot write:
// the real brevant.exe run without root's permission override (registered UNPRIVILEGED).
#include "scenario_test.h"

#include "config_file.h"
#include "resource.h"

namespace {

using namespace driver;
using namespace brevant;

struct Quiet final : MessageSink {
    void showMessage(const std::string&, const std::string&) override {}
};

class ConfigPlaceScenario : public ScenarioTest {};

TEST_F(ConfigPlaceScenario, AnUnwritableStartFolderKeepsBrevantCfgInTheUsersOwnFolder) {
    Run([&] {
        const std::string installed = "C:\\Program Files\\Brevant";
        FreshFolder(installed);
        CopyInto(HostPath(BREVANT_EXE), installed);
        Quiet quiet;
        ASSERT_TRUE(saveConfig(installed + "\\brevant.cfg", Song{}, RecorderSettings{}, quiet));
        const std::string shipped = ReadFileBytes(installed + "\\brevant.cfg");
        ASSERT_TRUE(MakeUnwritable(installed));
        const std::string own = AppDataFolder() + "\\brevant";
        const std::string exe = installed + "\\brevant.exe";

        Step("first start: the one message says where brevant.cfg goes");
        Program* program = &Start(exe, "", installed);
        HWND main = program->Window("MyWin");
        EXPECT_EQ(Answer(*program, "OK"), "Brevant cannot write to " + installed +
                                              "; it keeps brevant.cfg in " + own + " instead.");
        program->WaitIdle();
        EXPECT_FALSE(program->HasBox());
        Step("Preferences: 22050 Hz, then Exit");
        ChooseMenu(main, IDM_PREFERENCES);
        HWND preferences = program->Box();
        ClickButton(preferences, IDC_FREQ_22050);
        ClickButton(preferences, IDOK);
        program->WaitIdle();
        ChooseMenu(main, IDM_EXIT);
        ASSERT_TRUE(program->WaitForExit());
        Song song;
        RecorderSettings settings;
        ASSERT_TRUE(loadConfig(own + "\\brevant.cfg", song, settings, quiet));
        EXPECT_EQ(settings.recordFormat.samplesPerSec, 22050u);
        EXPECT_EQ(ReadFileBytes(installed + "\\brevant.cfg"), shipped);

        Step("second start: nothing said, 22050 Hz back");
        program = &Start(exe, "", installed);
        main = program->Window("MyWin");
        program->WaitIdle();
        EXPECT_FALSE(program->HasBox());
        ChooseMenu(main, IDM_PREFERENCES);
        preferences = program->Box();
        EXPECT_TRUE(IsChecked(ControlById(preferences, IDC_FREQ_22050)));
        ClickButton(preferences, IDCANCEL);
        program->WaitIdle();
        ChooseMenu(main, IDM_EXIT);
        EXPECT_TRUE(program->WaitForExit());
    });
}

}  // namespace
