#include "issue_file.h"

#include <gtest/gtest.h>

#include <string>

#include "temp_dir.h"

namespace nuvella {
namespace {

struct TextModeCase {
  const char* name;
  std::string raw;
  std::string read;
};

void PrintTo(const TextModeCase& c, std::ostream* os) { *os << c.name; }

const TextModeCase kTextModeCases[] = {
    {"crlf_becomes_lf", "a\r\nb\r\n", "a\nb\n"},
    {"lone_cr_stays", "a\rb\n", "a\rb\n"},
    {"cr_at_end_stays", "a\r", "a\r"},
    {"cr_cr_lf_keeps_one_cr", "a\r\r\nb", "a\r\nb"},
    {"lf_only_untouched", "a\nb\n", "a\nb\n"},
    {"ctrl_z_ends_the_file", "a\r\nb\x1A" "c\r\n", "a\nb"},
    {"ctrl_z_first_is_empty", "\x1A" "abc", ""},
    {"empty", "", ""},
};

class TextModeTest : public ::testing::TestWithParam<TextModeCase> {};

TEST_P(TextModeTest, ReadsLikeTheTextModeOfTheCRuntime) {
  std::string bytes = GetParam().raw;
  const std::size_t size = applyTextMode(bytes.data(), bytes.size());
  EXPECT_EQ(bytes.substr(0, size), GetParam().read);
}

INSTANTIATE_TEST_SUITE_P(Table, TextModeTest, ::testing::ValuesIn(kTextModeCases),
                         [](const auto& param) { return std::string(param.param.name); });

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
