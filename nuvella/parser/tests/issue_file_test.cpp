#include "issue_file.h"

#include <gtest/gtest.h>

#include <string>

#include "temp_dir.h"

namespace nuvella {
namespace {

TEST(EndAtCtrlZ, TextEndsAtTheFirstCtrlZ) {
    EXPECT_EQ(endAtCtrlZ("ab\x1A"
                         "cd\x1A",
                         6),
              2u);
    EXPECT_EQ(endAtCtrlZ("\x1A"
                         "abc",
                         4),
              0u);
    EXPECT_EQ(endAtCtrlZ("abc", 3), 3u);
    EXPECT_EQ(endAtCtrlZ("", 0), 0u);
}

TEST(ReadIssueFile, ReadsEveryByteOfSmallAndLargeFiles) {
    testing::TempDir dir;
    for (const std::size_t size : {1u, 4095u, 4096u, 4097u, 300000u}) {
        std::string bytes(size, 'x');
        for (std::size_t i = 0; i < size; ++i) {
            bytes[i] = static_cast<char>('a' + i % 26);
        }
        std::string name = "f";
        name += std::to_string(size);
        const auto path = dir.write(name, bytes);
        const auto file = readIssueFile(path);
        ASSERT_TRUE(file.has_value()) << size;
        ASSERT_EQ(file->size, size);
        EXPECT_EQ(std::string(file->bytes.get(), file->size), bytes) << size;
    }
}

TEST(ReadIssueFile, MissingEmptyAndDirectoryGiveNothing) {
    testing::TempDir dir;
    EXPECT_FALSE(readIssueFile((dir.path() / "missing.txt").string()).has_value());
    EXPECT_FALSE(readIssueFile(dir.write("empty.txt", "")).has_value());
    EXPECT_FALSE(readIssueFile(dir.path().string()).has_value());
}

}  // namespace
}  // namespace nuvella
