#include <gtest/gtest.h>

#include "lyrics_extension_list.h"

namespace orvane {
namespace {

using List = std::vector<std::string>;

struct ParseCase {
    const char* name;
    const char* text;
    List expected;
};

class ParseLyricsExtensionsTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseLyricsExtensionsTest, SplitsAtSemicolons) {
    EXPECT_EQ(ParseLyricsExtensions(GetParam().text), GetParam().expected) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Table, ParseLyricsExtensionsTest,
    ::testing::Values(ParseCase{"default", "TXT;DIZ;LRC;NFO;DOC", {"TXT", "DIZ", "LRC", "NFO", "DOC"}},
                      ParseCase{"trailing_semicolon", "TXT;DIZ;", {"TXT", "DIZ"}},
                      ParseCase{"last_without_semicolon", "TXT;lrc", {"TXT", "LRC"}},
                      ParseCase{"lower_case_upper_cased", "txt;", {"TXT"}},
                      ParseCase{"blanks_trimmed", "  TXT ;  DIZ ; ", {"TXT", "DIZ"}},
                      ParseCase{"empty_entries_skipped", "TXT;;;DIZ", {"TXT", "DIZ"}},
                      ParseCase{"empty_text", "", {}},
                      ParseCase{"only_semicolons", ";;", {}}),
    [](const auto& tc) { return std::string(tc.param.name); });

TEST(LyricsExtensionsTest, FormatEndsEachEntryWithSemicolon) {
    EXPECT_EQ(FormatLyricsExtensions({"TXT", "DIZ"}), "TXT;DIZ;");
    EXPECT_EQ(FormatLyricsExtensions({}), "");
    EXPECT_EQ(ParseLyricsExtensions(FormatLyricsExtensions({"A", "BC", "DEF"})),
              (List{"A", "BC", "DEF"}));
}

struct AddCase {
    const char* name;
    const char* answer;
    bool added;
    List expected;
};

class LyricsAddTest : public ::testing::TestWithParam<AddCase> {};

TEST_P(LyricsAddTest, AddRules) {
    TLyricsExtensionList list({"TXT", "DIZ"});
    EXPECT_EQ(list.Add(GetParam().answer), GetParam().added);
    EXPECT_EQ(list.Entries(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, LyricsAddTest,
    ::testing::Values(AddCase{"dot_dropped_and_cut", ".mp3x", true, {"TXT", "DIZ", "MP3"}},
                      AddCase{"plain", "lrc", true, {"TXT", "DIZ", "LRC"}},
                      AddCase{"already_listed", "txt", false, {"TXT", "DIZ"}},
                      AddCase{"already_listed_after_cut", ".dizzy", false, {"TXT", "DIZ"}},
                      AddCase{"empty_answer", "", false, {"TXT", "DIZ"}},
                      AddCase{"only_a_dot", ".", false, {"TXT", "DIZ"}},
                      AddCase{"cut_before_trim", " ab", true, {"TXT", "DIZ", "AB"}},
                      AddCase{"one_dot_only", "..x", true, {"TXT", "DIZ", ".X"}}),
    [](const auto& tc) { return std::string(tc.param.name); });

TEST(LyricsEditTest, ReplacesSelectedKeepingALeadingDot) {
    TLyricsExtensionList list({"TXT", "DIZ"});
    list.Select(1);
    EXPECT_TRUE(list.Edit(".nfo"));
    EXPECT_EQ(list.Entries(), (List{"TXT", ".NF"}));
}

TEST(LyricsEditTest, NothingSelectedOrDuplicateChangesNothing) {
    TLyricsExtensionList list({"TXT", "DIZ"});
    EXPECT_FALSE(list.Edit("lrc"));
    list.Select(1);
    EXPECT_FALSE(list.Edit("txt"));
    EXPECT_FALSE(list.Edit("   "));
    EXPECT_EQ(list.Entries(), (List{"TXT", "DIZ"}));
}

TEST(LyricsDeleteTest, RemovesSelectedOnly) {
    TLyricsExtensionList list({"TXT", "DIZ", "LRC"});
    EXPECT_FALSE(list.Delete());
    list.Select(1);
    EXPECT_TRUE(list.Delete());
    EXPECT_EQ(list.Entries(), (List{"TXT", "LRC"}));
    EXPECT_EQ(list.Selected(), -1);
}

TEST(LyricsMoveTest, UpSwapsWithAboveAndKeepsSelection) {
    TLyricsExtensionList list({"TXT", "DIZ", "LRC"});
    list.Select(2);
    EXPECT_TRUE(list.Up());
    EXPECT_EQ(list.Entries(), (List{"TXT", "LRC", "DIZ"}));
    EXPECT_EQ(list.Selected(), 1);
    EXPECT_TRUE(list.Up());
    EXPECT_EQ(list.Selected(), 0);
    EXPECT_FALSE(list.Up());  // first entry stays
    EXPECT_EQ(list.Entries(), (List{"LRC", "TXT", "DIZ"}));
}

TEST(LyricsMoveTest, DownSwapsWithBelowAndStopsAtTheLast) {
    TLyricsExtensionList list({"TXT", "DIZ", "LRC"});
    EXPECT_FALSE(list.Down());  // nothing selected
    list.Select(1);
    EXPECT_TRUE(list.Down());
    EXPECT_EQ(list.Entries(), (List{"TXT", "LRC", "DIZ"}));
    EXPECT_EQ(list.Selected(), 2);
    EXPECT_FALSE(list.Down());
    EXPECT_EQ(list.Entries(), (List{"TXT", "LRC", "DIZ"}));
}

TEST(LyricsSelectTest, OutOfRangeClears) {
    TLyricsExtensionList list({"TXT"});
    list.Select(5);
    EXPECT_EQ(list.Selected(), -1);
    EXPECT_FALSE(list.Delete());
}

}  // namespace
}  // namespace orvane
