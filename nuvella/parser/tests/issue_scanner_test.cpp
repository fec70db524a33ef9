#include "issue_scanner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "oem_table_converter.h"
#include "recording_outline_sink.h"
#include "temp_dir.h"

namespace nuvella {
namespace {

class NeverAsked final : public MarkerQuestion {
  public:
    bool continueWithoutMarker() override {
        ADD_FAILURE() << "the scan must never ask";
        return true;
    }
};

// Runs the test body with the current directory moved into a temp dir, and back.
class ScannerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        previous_ = std::filesystem::current_path();
        std::filesystem::current_path(dir.path());
    }
    void TearDown() override { std::filesystem::current_path(previous_); }

    testing::TempDir dir;

  private:
    std::filesystem::path previous_;
};

TEST_F(ScannerTest, LoadsIssuesByBareNameAndPassesOverEverythingElse) {
    dir.write("one.txt", "Start.Of\n== A ==\n");
    dir.write("two.nws", "start.of\n :: \"T\"\n");
    dir.write("notes.txt", "no marker here\n");
    dir.write("empty.txt", "");
    std::filesystem::create_directory(dir.path() / "sub.dir");

    RecordingOutlineSink sink;
    OemTableConverter converter;
    NeverAsked question;
    IssueLibrary library;
    LoadContext context{sink, converter, question, library};
    EXPECT_EQ(ScanForIssues(context), 2);

    std::vector<std::string> files;
    for (const auto& e : sink.entries) {
        if (e.kind == OutlineKind::File) {
            files.push_back(e.label);
        }
    }
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, (std::vector<std::string>{"one.txt", "two.nws"}));
    // The outline is repainted once for every directory entry, issue or not.
    EXPECT_GE(sink.repaints, 5);
}

TEST_F(ScannerTest, EmptyDirectoryLoadsNothing) {
    RecordingOutlineSink sink;
    OemTableConverter converter;
    NeverAsked question;
    IssueLibrary library;
    LoadContext context{sink, converter, question, library};
    EXPECT_EQ(ScanForIssues(context), 0);
    EXPECT_TRUE(sink.entries.empty());
}

}  // namespace
}  // namespace nuvella
