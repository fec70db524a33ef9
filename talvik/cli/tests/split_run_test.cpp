#include "split_run.h"

#include <gtest/gtest.h>

#include <sstream>

#include "file_names.h"
#include "temp_dir.h"

namespace talvik {
namespace {

using testing::FileExists;
using testing::TempDir;

// 8-bit RAW: 50 silent bytes, then loud runs of the given lengths, each followed by
// 300 silent bytes.
void WriteTrack(const std::string& name, std::initializer_list<int> lengths) {
    std::vector<std::uint8_t> bytes(50, 0);
    for (int n : lengths) {
        bytes.insert(bytes.end(), static_cast<std::size_t>(n), 100);
        bytes.insert(bytes.end(), 300, 0);
    }
    testing::WriteBytes(name, bytes);
}

class SplitRunTest : public ::testing::Test {
  protected:
    SplitRunTest() {
        options.settings.sourceDir = src.text();
        options.settings.saveDir = out.text();
        options.settings.silence = 200;
    }
    int run() { return RunSplit(options, stdoutText, stderrText, nullptr); }

    TempDir src;
    TempDir out;
    SplitOptions options;
    std::ostringstream stdoutText;
    std::ostringstream stderrText;
};

TEST_F(SplitRunTest, PrintsLabelsAndSoundsAndSaves) {
    WriteTrack(src.file("track01.RAW"), {2000, 500});
    EXPECT_EQ(run(), 0);
    EXPECT_EQ(stdoutText.str(),
              "track: 1,  3 Kb (2 Kb)\n"
              "found: 1 (2)\n"
              "sound 1: start 50 end 2049 save 1\n"
              "sound 2: start 2350 end 2849 save 0\n");
    EXPECT_EQ(stderrText.str(), "");
    const std::string dir = TrackDirName(out.text(), "TRACK", 1);
    EXPECT_TRUE(FileExists(dir + kDirSeparator + "SAMPLE01.WAV"));
    EXPECT_FALSE(FileExists(dir + kDirSeparator + "SAMPLE02.WAV"));
}

TEST_F(SplitRunTest, MissingTrackIsReportedAndTheRunGoesOn) {
    WriteTrack(src.file("track01.RAW"), {2000});
    WriteTrack(src.file("track03.RAW"), {2000});
    options.settings.endTrack = 3;
    EXPECT_EQ(run(), 1);
    EXPECT_EQ(stderrText.str(), "File does not exist! " + src.file("track02.RAW") + "\n");
    EXPECT_NE(stdoutText.str().find("track: 3,"), std::string::npos);
    EXPECT_TRUE(FileExists(TrackDirName(out.text(), "TRACK", 3)));
}

TEST_F(SplitRunTest, AnalyzeOnlyWritesNothing) {
    WriteTrack(src.file("track01.RAW"), {2000});
    options.analyzeOnly = true;
    options.settings.deleteProcessed = true;
    EXPECT_EQ(run(), 0);
    EXPECT_NE(stdoutText.str().find("sound 1: start 50 end 2049 save 1"), std::string::npos);
    EXPECT_FALSE(FileExists(TrackDirName(out.text(), "TRACK", 1)));
    EXPECT_TRUE(FileExists(src.file("track01.RAW")));
}

TEST_F(SplitRunTest, FailedSaveIsReportedWithExitStatusOne) {
    WriteTrack(src.file("track01.RAW"), {2000});
    options.settings.saveDir = out.file("no") + kDirSeparator + "such" + kDirSeparator;
    EXPECT_EQ(run(), 1);
    EXPECT_NE(stderrText.str().find("Track 1: Cannot create file"), std::string::npos)
        << stderrText.str();
}

}  // namespace
}  // namespace talvik
