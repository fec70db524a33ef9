#include "outline_options.h"

#include <gtest/gtest.h>

namespace nuvella {
namespace {

struct OptionsCase {
    const char* name;
    std::vector<std::string> args;
    bool ok;
};

void PrintTo(const OptionsCase& c, std::ostream* os) {
    *os << c.name;
}

const OptionsCase kOptionsCases[] = {
    {"files_only", {"a.txt", "b.txt"}, true},
    {"rtf_with_size", {"--rtf", "3", "--font-size", "12", "a.txt"}, true},
    {"help_alone", {"--help"}, true},
    {"dash_dash_then_dash_file", {"--", "--rtf"}, true},
    {"no_files", {}, false},
    {"rtf_without_number", {"a.txt", "--rtf"}, false},
    {"rtf_negative", {"--rtf", "-1", "a.txt"}, false},
    {"rtf_not_a_number", {"--rtf", "x1", "a.txt"}, false},
    {"rtf_trailing_garbage", {"--rtf", "1x", "a.txt"}, false},
    {"font_size_zero", {"--rtf", "0", "--font-size", "0", "a.txt"}, false},
    {"font_size_without_rtf", {"--font-size", "12", "a.txt"}, false},
    {"unknown_option", {"--tree", "a.txt"}, false},
    {"utf8_outline", {"--utf8", "a.txt"}, true},
    {"utf8_with_rtf", {"--utf8", "--rtf", "1", "a.txt"}, false},
};

class OptionsTest : public ::testing::TestWithParam<OptionsCase> {};

TEST_P(OptionsTest, AcceptsOrExplains) {
    const ParsedOptions parsed = parseOutlineOptions(GetParam().args);
    EXPECT_EQ(parsed.error.empty(), GetParam().ok) << parsed.error;
}

INSTANTIATE_TEST_SUITE_P(Table, OptionsTest, ::testing::ValuesIn(kOptionsCases),
                         [](const auto& param) { return std::string(param.param.name); });

TEST(OutlineOptions, ValuesAreKept) {
    const ParsedOptions parsed =
        parseOutlineOptions({"--rtf", "3", "--font-size", "12", "a.txt", "b"});
    ASSERT_TRUE(parsed.error.empty());
    EXPECT_EQ(parsed.options.rtfEntry, 3);
    EXPECT_EQ(parsed.options.fontSize, 12);
    EXPECT_EQ(parsed.options.files, (std::vector<std::string>{"a.txt", "b"}));
    EXPECT_EQ(parseOutlineOptions({"a"}).options.fontSize, 9);
}

}  // namespace
}  // namespace nuvella
