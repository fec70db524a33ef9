#include "file_names.h"

#include <gtest/gtest.h>

#include "file_error.h"

namespace talvik {
namespace {

TEST(TwoDigit, PadsOnlyBelowTen) {
    struct Case {
        int n;
        const char* text;
    } cases[] = {{0, "00"},  {1, "01"},    {9, "09"},   {10, "10"},
                 {99, "99"}, {100, "100"}, {101, "101"}};
    for (const Case& c : cases) {
        EXPECT_EQ(TwoDigit(c.n), c.text) << c.n;
    }
}

TEST(TrackFileName, ExtensionFollowsLoadFormat) {
    EXPECT_EQ(TrackFileName(SampleFormat::Raw8, 7, "C:\\REC\\"), "C:\\REC\\track07.RAW");
    EXPECT_EQ(TrackFileName(SampleFormat::Bit16, 7, "C:\\REC\\"), "C:\\REC\\track07.RAW");
    EXPECT_EQ(TrackFileName(SampleFormat::Wav8, 7, "C:\\REC\\"), "C:\\REC\\track07.WAV");
}

TEST(TrackFileName, SourcedirTakenAsItStands) {
    // No separator is added: the text carries its own.
    EXPECT_EQ(TrackFileName(SampleFormat::Raw8, 12, "C:\\REC"), "C:\\RECtrack12.RAW");
}

TEST(TrackDirName, JoinsSavedirCreatedirAndTrack) {
    EXPECT_EQ(TrackDirName("C:\\OUT\\", "TRACK", 7), "C:\\OUT\\TRACK07");
    EXPECT_EQ(TrackDirName("C:\\OUT\\", "TRACK", 100), "C:\\OUT\\TRACK100");
}

TEST(SoundFileName, NumberIsIndexPlusOne) {
    const std::string sep(1, kDirSeparator);
    EXPECT_EQ(SoundFileName("C:\\OUT\\TRACK12", 0, "SAMPLE", "WAV"),
              "C:\\OUT\\TRACK12" + sep + "SAMPLE01.WAV");
    EXPECT_EQ(SoundFileName("D", 2, "SAMPLE", "WAV"), "D" + sep + "SAMPLE03.WAV");
    // Past 99 sounds the numbers go on rather than wrapping or stopping.
    EXPECT_EQ(SoundFileName("D", 99, "S", "RAW"), "D" + sep + "S100.RAW");
}

TEST(SoundFileName, LongNameIsNeverCut) {
    const std::string dir = "/a/rather/long/output/directory/for/the/sounds/TRACK07";
    const std::string name = SoundFileName(dir, 0, "SAMPLE", "WAV");
    EXPECT_EQ(name.size(), dir.size() + 1 + 12);
    EXPECT_NO_THROW(CheckNameLength(name));
}

TEST(CheckNameLength, RejectsWhatThePlatformCannotHold) {
    EXPECT_THROW(CheckNameLength(std::string(kMaxPathLength + 1, 'a')), FileError);
    EXPECT_THROW(CheckNameLength("dir" + std::string(1, kDirSeparator) +
                                 std::string(kMaxComponentLength + 1, 'b')),
                 FileError);
    EXPECT_NO_THROW(CheckNameLength("dir" + std::string(1, kDirSeparator) +
                                    std::string(kMaxComponentLength, 'b')));
    try {
        CheckNameLength(std::string(kMaxPathLength + 1, 'a'));
    } catch (const FileError& e) {
        EXPECT_NE(std::string(e.what()).find("too long"), std::string::npos);
    }
}

}  // namespace
}  // namespace talvik
