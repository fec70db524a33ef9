// The base of a scenario: a GoogleTest case that starts a real program in a fresh folder and
// drives it with the window driver. Each case runs under its own tools/wine-run (its own
// prefix and display; see toolkit_add_scenarios). On failure the screen is kept as
// scenario-failures/SUITE.CASE.bmp under the test's build folder and the program's windows
// are printed.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "window_driver.h"

namespace driver {

class ScenarioTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // The case's fresh folder (a Windows path under the test's working folder).
    const std::string& Folder() const { return folder_; }
    // A path inside it.
    std::string InFolder(const std::string& name) const { return folder_ + "\\" + name; }
    // Starts a program for this case (in the case's folder unless told otherwise). The case
    // owns it: it runs until the case ends, so a failure's screenshot still shows it.
    Program& Start(const std::string& exe, const std::string& arguments = "",
                   const std::string& folder = "");
    // Names the step now running; a failure message and the screenshot carry it.
    void Step(const std::string& what);
    // Runs `body`, turning a StepFailed into a test failure that names the step and shows
    // the windows (scenarios are written as one body per case).
    template <class Body>
    void Run(Body body);

  private:
    void Record(const std::string& failure);
    std::vector<std::unique_ptr<Program>> programs_;
    bool shotTaken_ = false;
    std::string folder_;
    std::string step_;
    std::string caseName_;
};

template <class Body>
void ScenarioTest::Run(Body body) {
    try {
        body();
    } catch (const StepFailed& failed) {
        Record(failed.what());
    } catch (const std::exception& failed) {
        Record(std::string("unexpected error: ") + failed.what());
    }
}

}  // namespace driver
