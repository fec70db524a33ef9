#include <gtest/gtest.h>

#include <filesystem>

#include "file_replace.h"
#include "wave_test_files.h"

namespace brevant {
namespace {

TEST(FileReplace, ReplacesAnExistingFileAndLeavesNoTemporary) {
    testing::TempDir dir;
    const std::string path = dir.file("a.bin");
    testing::writeBytes(path, {9, 9, 9, 9, 9});
    ASSERT_EQ(replaceFileContents(path, {1, 2, 3}), ReplaceResult::Done);
    EXPECT_EQ(testing::readBytes(path), (std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_FALSE(std::filesystem::exists(path + ".tmp~"));
}

TEST(FileReplace, AFolderThatCannotBeWrittenKeepsNothingHalfWritten) {
    testing::TempDir dir;
    EXPECT_EQ(replaceFileContents(dir.file("missing/a.bin"), {1}), ReplaceResult::CannotCreate);
}

}  // namespace
}  // namespace brevant
