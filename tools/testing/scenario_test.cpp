// The scenario base: a fresh folder per case, and on failure the screen and the windows kept.
#include "scenario_test.h"

#include <cstdio>

namespace driver {

namespace {

std::string CurrentFolder() {
    char folder[MAX_PATH * 4] = {};
    const DWORD length = GetCurrentDirectoryA(sizeof folder, folder);
    if (length == 0 || length >= sizeof folder)
        throw StepFailed("the test's working folder has no usable name");
    return folder;
}

}  // namespace

void ScenarioTest::SetUp() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    caseName_ = std::string(info->test_suite_name()) + "." + info->name();
    folder_ = CurrentFolder() + "\\scenario-runs\\" + caseName_;
    FreshFolder(folder_);
    step_ = "set-up";
}

Program& ScenarioTest::Start(const std::string& exe, const std::string& arguments,
                             const std::string& folder) {
    programs_.push_back(std::make_unique<Program>(
        Program::Start(HostPath(exe), arguments, folder.empty() ? folder_ : folder)));
    return *programs_.back();
}

void ScenarioTest::Step(const std::string& what) {
    step_ = what;
    std::printf("[ step     ] %s\n", what.c_str());
    std::fflush(stdout);
}

void ScenarioTest::Record(const std::string& failure) {
    const std::string shots = CurrentFolder() + "\\scenario-failures";
    CreateDirectoryA(shots.c_str(), nullptr);
    const std::string shot = shots + "\\" + caseName_ + ".bmp";
    const bool saved = SaveScreenshot(shot);
    shotTaken_ = saved;
    ADD_FAILURE() << "step \"" << step_ << "\" failed: " << failure
                  << (saved ? "\nscreen kept as " + shot : std::string("\nno screenshot"));
}

void ScenarioTest::TearDown() {
    // A failed expectation outside a step still keeps the screen of its moment.
    if (HasFailure() && !shotTaken_) {
        const std::string shots = CurrentFolder() + "\\scenario-failures";
        CreateDirectoryA(shots.c_str(), nullptr);
        SaveScreenshot(shots + "\\" + caseName_ + ".bmp");
        std::printf("%s", DescribeAll().c_str());
    }
    programs_.clear();
}

}  // namespace driver
