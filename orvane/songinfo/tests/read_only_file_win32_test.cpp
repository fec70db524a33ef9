#include "song_file.h"
#include "mp3_builder.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace orvane {
namespace {

TEST(IsReadOnlyFileWin32, FollowsTheReadOnlyAttribute)
{
    test::TTempFolder folder;
    const std::string path = folder.Write("song.mp3", test::TBytes(300, 0x20)).string();
    EXPECT_FALSE(IsReadOnlyFile(path));
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_TRUE(IsReadOnlyFile(path));
    TTagRecord record;
    record.title = "x";
    EXPECT_EQ(WriteTag(path, EncodeTag(record)).result, TWriteTagResult::NotWritable);
    EXPECT_EQ(folder.Read("song.mp3").size(), 300u);
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL));
    EXPECT_FALSE(IsReadOnlyFile(path));
    EXPECT_EQ(WriteTag(path, EncodeTag(record)).result, TWriteTagResult::Written);
}

}  // namespace
}  // namespace orvane
