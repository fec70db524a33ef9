// Run without root's override of permissions: an unwritable folder refuses writes for real.
#include <gtest/gtest.h>

#include "scenario_test.h"

using namespace driver;

namespace {

class DriverUnprivilegedTest : public ScenarioTest {};

TEST_F(DriverUnprivilegedTest, AFolderMadeUnwritableRefusesNewFiles) {
    const std::string folder = "C:\\driver-readonly";
    FreshFolder(folder);
    ASSERT_TRUE(MakeUnwritable(folder));
    EXPECT_THROW(WriteFileBytes(folder + "\\x.ini", "x"), StepFailed);
    EXPECT_FALSE(FileExists(folder + "\\x.ini"));
    const std::string appData = AppDataFolder();
    EXPECT_NE(GetFileAttributesA(appData.c_str()), INVALID_FILE_ATTRIBUTES) << appData;
    WriteFileBytes(appData + "\\x.ini", "x");  // the per-user place stays writable
    EXPECT_EQ(ReadFileBytes(appData + "\\x.ini"), "x");
}

}  // namespace
