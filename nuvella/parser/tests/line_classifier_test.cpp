#include "line_classifier.h"

#include <gtest/gtest.h>

#include <string>

namespace nuvella {
namespace {

struct ClassifyCase {
    const char* name;
    std::string text;
    LineKind kind;
    std::string label;  // the entry's label, for lines that make one
};

void PrintTo(const ClassifyCase& c, std::ostream* os) {
    *os << c.name;
}

const ClassifyCase kClassifyCases[] = {
    {"double_equals_section", "==== Sports ====\n", LineKind::SectionSeparator, " Sports "},
    {"untitled_rule_section", "=-=-=-=-=-=-=-=-\n", LineKind::SectionSeparator, "(no title)"},
    {"separator_inside_text", "some text =-=- more text\n", LineKind::SectionSeparator,
     "some text "},
    {"bracketed_section_title", "=-=-=-=-[ News ]-=-=-=-\n", LineKind::SectionSeparator, " News "},
    {"equals_only_is_untitled", "==\n", LineKind::SectionSeparator, "(no title)"},
    {"bracketed_article", "=--(Interview)-----\n", LineKind::BracketedTitle, "Interview"},
    {"angle_article_unclosed", "=-<Letters\n", LineKind::BracketedTitle, "Letters\n"},
    {"square_article_after_text", "=- see [Charts] now\n", LineKind::BracketedTitle, "Charts"},
    {"empty_brackets_keep_the_line_feed", "=-()\n", LineKind::BracketedTitle, "\n"},
    {"empty_brackets_at_end_empty_label", "=-()", LineKind::BracketedTitle, ""},
    {"rule_line", "=-----------\n", LineKind::RuleLine, ""},
    {"quoted_article", " :: \"Party report\" by the editors\n", LineKind::QuotedTitle,
     "Party report"},
    {"quoted_unclosed_runs_to_end", " :: \"Party\n", LineKind::QuotedTitle, "Party\n"},
    {"quoted_empty_keeps_the_line_feed", " :: \"\"\n", LineKind::QuotedTitle, "\n"},
    {"quoted_empty_at_end_empty_label", " :: \"\"", LineKind::QuotedTitle, ""},
    {"colons_without_quote", " :: Party report\n", LineKind::Body, ""},
    {"colons_without_leading_space", ":: \"Party\"\n", LineKind::Body, ""},
    {"single_equals_is_body", "=\n", LineKind::Body, ""},
    {"text_line", "Hello there\n", LineKind::Body, ""},
    {"empty_piece", "", LineKind::Body, ""},
    {"lower_priority_loses", "== :: \"x\"\n", LineKind::SectionSeparator, " :: \"x\""},
};

class ClassifyLineTest : public ::testing::TestWithParam<ClassifyCase> {};

TEST_P(ClassifyLineTest, KindAndLabel) {
    const ClassifyCase& c = GetParam();
    ASSERT_EQ(classifyLine(c.text), c.kind);
    switch (c.kind) {
        case LineKind::SectionSeparator:
            EXPECT_EQ(sectionLabel(c.text), c.label);
            break;
        case LineKind::BracketedTitle:
            EXPECT_EQ(bracketedTitleLabel(c.text), c.label);
            break;
        case LineKind::QuotedTitle:
            EXPECT_EQ(quotedTitleLabel(c.text), c.label);
            break;
        default:
            break;
    }
}

INSTANTIATE_TEST_SUITE_P(Table, ClassifyLineTest, ::testing::ValuesIn(kClassifyCases),
                         [](const auto& param) { return std::string(param.param.name); });

TEST(FirstToken, SkipsLeadingDelimitersAndStopsAtTheNext) {
    EXPECT_EQ(firstToken("--ab-cd", "-"), "ab");
    EXPECT_EQ(firstToken("ab", "-"), "ab");
    EXPECT_FALSE(firstToken("----", "-").has_value());
    EXPECT_FALSE(firstToken("", "-").has_value());
}

}  // namespace
}  // namespace nuvella
