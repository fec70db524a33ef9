#include <gtest/gtest.h>

#include "set_names.h"

namespace orvane {
namespace {

struct FileNameCase {
    const char* name;
    const char* setName;
    const char* fileName;
};

class SetFileNameTest : public ::testing::TestWithParam<FileNameCase> {};

TEST_P(SetFileNameTest, ReplacesTheExtension) {
    EXPECT_EQ(SetFileBaseName(GetParam().setName), GetParam().fileName);
    EXPECT_EQ(SetFileName("prog", GetParam().setName),
              std::filesystem::path("prog") / GetParam().fileName);
}

INSTANTIATE_TEST_SUITE_P(Table, SetFileNameTest,
                         ::testing::Values(FileNameCase{"dotted", "Rock.90s", "Rock.OVM"},
                                           FileNameCase{"default", "(Default)", "(Default).OVM"},
                                           FileNameCase{"last_dot", "a.b.c", "a.b.OVM"},
                                           FileNameCase{"trailing_dot", "Jazz.", "Jazz.OVM"},
                                           FileNameCase{"spaces", "My Songs", "My Songs.OVM"}),
                         [](const auto& tc) { return std::string(tc.param.name); });

struct NameCheckCase {
    const char* name;
    const char* setName;
    bool accepted;
};

class CheckSetNameTest : public ::testing::TestWithParam<NameCheckCase> {};

TEST_P(CheckSetNameTest, RefusesNamesThatCannotBeFiles) {
    const std::string problem = CheckSetName(GetParam().setName, {"(Default)", "Rock.90s"});
    EXPECT_EQ(problem.empty(), GetParam().accepted) << problem;
}

INSTANTIATE_TEST_SUITE_P(
    Table, CheckSetNameTest,
    ::testing::Values(NameCheckCase{"plain", "Jazz", true},
                      NameCheckCase{"spaces_and_dots", "Best of 1999.v2", true},
                      NameCheckCase{"empty", "", false},
                      NameCheckCase{"blank", "   ", false},
                      NameCheckCase{"backslash", "a\\b", false},
                      NameCheckCase{"slash", "a/b", false},
                      NameCheckCase{"colon", "c:x", false},
                      NameCheckCase{"star", "a*", false},
                      NameCheckCase{"question", "a?", false},
                      NameCheckCase{"quote", "a\"b", false},
                      NameCheckCase{"angle", "<a>", false},
                      NameCheckCase{"pipe", "a|b", false},
                      NameCheckCase{"control_char", "a\tb", false},
                      NameCheckCase{"comma_ends_the_name", "Rock,Pop", false},
                      NameCheckCase{"device_con", "con", false},
                      NameCheckCase{"device_com1_dotted", "COM1.old", false},
                      NameCheckCase{"device_like_but_fine", "CONCERT", true},
                      NameCheckCase{"same_file_as_existing", "rock.80s", false},
                      NameCheckCase{"same_name_as_default", "(Default)", false}),
    [](const auto& tc) { return std::string(tc.param.name); });

TEST(CheckSetNameTest, MessageNamesTheSet) {
    EXPECT_NE(CheckSetName("a:b", {}).find("\"a:b\""), std::string::npos);
}

}  // namespace
}  // namespace orvane
