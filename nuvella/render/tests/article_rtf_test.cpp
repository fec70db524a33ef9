#include "article_rtf.h"

#include <gtest/gtest.h>

#include <string>

#include "text_issue.h"

namespace nuvella {
namespace {

const std::string kHeader18 =
    "{\\rtf1\\pc{\\colortbl;\\red0\\green0\\blue0\\red128\\green0\\blue0;\\red0\\green0\\blue128;}"
    "\\fs18"
    " {\\fonttbl{\\f1\\froman Times New Roman;}}";

std::string render(const std::string& text, std::size_t startPiece = 0, int fontSize = 9) {
    testing::TextIssue issue(text);
    ArticleStream stream;
    BuildArticleRtf(stream, issue.line(startPiece), fontSize);
    return stream.data;
}

struct RenderCase {
    const char* name;
    std::string issue;
    std::size_t start;
    std::string body;  // the document between the header and the document end
};

void PrintTo(const RenderCase& c, std::ostream* os) {
    *os << c.name;
}

const RenderCase kRenderCases[] = {
    {"plain_lines_then_closing_paragraph", "hello\nworld\n", 0, "hello\\par world\\par \\par "},
    {"dotted_lines_never_show", "....hidden\nshown\n....also\n==\n", 0, "shown\\par "},
    {"double_equals_stops", "a\n== next ==\nb\n", 0, "a\\par "},
    {"section_followed_by_separator_is_empty", "== x ==\nb\n", 0, ""},
    {"rule_line_stops_an_ordinary_entry", "a\n=------\nb\n", 0, "a\\par "},
    {"first_title_red_later_blue", " :: \"One\"\ntext\n :: \"Two\"\n==\n", 0,
     "{\\f1\\fs27 \\cf1\\qc \"One\"\\par \\cf0 \\ql\\fs18}text\\par "
     "{\\f1\\fs27 \\cf2\\qc \"Two\"\\par \\cf0 \\ql\\fs18}"},
    {"title_without_quotes_is_still_a_title", " :: plain\n==\n", 0,
     "{\\f1\\fs27 \\cf1\\qc plain\\par \\cf0 \\ql\\fs18}"},
    {"marker_keeps_the_following_space", " ____ Greetings\n==\n", 0,
     "{\\i\\b\\cf2        Greetings\\par }"},
    {"marker_never_drops_text", "a ____b\n==\n", 0, "a{\\i\\b\\cf2       b\\par }"},
    {"fifth_underscore_belongs_to_the_marker", " _____Head\n==\n", 0,
     "{\\i\\b\\cf2       Head\\par }"},
    {"two_markers_two_groups", " ____A ____B\n==\n", 0,
     "{\\i\\b\\cf2       A{\\i\\b\\cf2       B\\par }}"},
    {"marker_at_line_end_keeps_the_line_feed", "x ____\ny\n==\n", 0,
     "x{\\i\\b\\cf2       \\par }y\\par "},
    {"marker_in_a_title", " :: \"T\" ____x\n==\n", 0,
     "{\\f1\\fs27 \\cf1\\qc \"T\"{\\i\\b\\cf2       x\\par }\\cf0 \\ql\\fs18}"},
    {"opened_on_rule_shows_plain_rules", "=--(Interview)--\ntext\n=------\nmore\n=-(Next)\nafter\n",
     0, "text\\par =------\\par more\\par "},
    {"opened_on_rule_stops_at_double_equals", "=--(A)\nx\n==\n", 0, "x\\par "},
    {"bracketed_title_without_double_dash_is_empty", "=-(X)\ntext\n", 0, ""},
    {"rtf_characters_show_as_themselves", "a\\b{c}\n==\n", 0, "a\\\\b\\{c\\}\\par "},
    {"ansi_letters_become_unicode", "caf\xE9 \xFC\x80\x9F\n==\n", 0,
     "caf\\u233? \\u252?\\u8364?\\u376?\\par "},
    {"long_line_shows_as_paragraphs", std::string(120, 'z') + "\n==\n", 0,
     std::string(99, 'z') + "\\par " + std::string(21, 'z') + "\\par "},
    {"start_at_the_closing_piece", "a\n", 1, "\\par "},
};

class RenderTest : public ::testing::TestWithParam<RenderCase> {};

TEST_P(RenderTest, DocumentByteForByte) {
    const RenderCase& c = GetParam();
    EXPECT_EQ(render(c.issue, c.start), kHeader18 + c.body + "}");
}

INSTANTIATE_TEST_SUITE_P(Table, RenderTest, ::testing::ValuesIn(kRenderCases),
                         [](const auto& param) { return std::string(param.param.name); });

TEST(BuildArticleRtf, FontSizeSetsBodyAndTitleSizes) {
    EXPECT_EQ(render(" :: \"T\"\n==\n", 0, 12),
              "{\\rtf1\\pc{\\colortbl;\\red0\\green0\\blue0\\red128\\green0\\blue0;"
              "\\red0\\green0\\blue128;}"
              "\\fs24 {\\fonttbl{\\f1\\froman Times New Roman;}}{\\f1\\fs36 \\cf1\\qc \"T\"\\par "
              "\\cf0 \\ql\\fs24}}");
}

TEST(BuildArticleRtf, FirstTitleIsRedAgainInEveryRendering) {
    testing::TextIssue issue(" :: \"A\"\n :: \"B\"\n==\n");
    ArticleStream stream;
    BuildArticleRtf(stream, issue.line(1), 9);
    EXPECT_NE(stream.data.find("\\cf1\\qc \"B\""), std::string::npos);
}

// The document stops at 39,950 bytes of output and closes what is open.
TEST(BuildArticleRtf, LongArticleIsCutWithCompleteGroups) {
    std::string text;
    for (int i = 0; i < 1000; ++i) {
        text += std::string(60, 'y') + "\n";
    }
    const std::string doc = render(text);
    EXPECT_EQ(doc.rfind("\\par "), kArticleLimit);
    EXPECT_EQ(doc.size(), kArticleLimit + 6);
    EXPECT_EQ(doc.substr(doc.size() - 6), "\\par }");
}

TEST(BuildArticleRtf, CutInsideATitleClosesMarkersAndTitle) {
    const std::size_t header = kHeader18.size();
    // Fill so that the title line reaches the limit inside its marked text.
    const std::size_t fill = kArticleLimit - header - 40;
    std::string text;
    std::size_t written = 0;
    while (written + 95 + 5 <= fill) {
        text += std::string(95, 'f') + "\n";
        written += 100;
    }
    text += std::string(fill - written - 5, 'g') + "\n";
    text += " :: \"T ____" + std::string(90, 'x') + "\n";
    const std::string doc = render(text);
    const std::string closing = "\\par }\\cf0 \\ql\\fs18}}";
    ASSERT_GE(doc.size(), closing.size());
    EXPECT_EQ(doc.substr(doc.size() - closing.size()), closing);
    EXPECT_EQ(doc.size() - closing.size(), kArticleLimit);
}

// A fixed 40,000-byte buffer would overflow here: a title line whose nineteenth group opens
// just below the cut needs 53 bytes behind it, not 50. The document grows instead.
TEST(BuildArticleRtf, ManyMarkersAtTheCutStillCloseEveryGroup) {
    std::string markers;
    for (int i = 0; i < 19; ++i) {
        markers += " ____";
    }
    // Body lines bring the output to where the title's last opening starts one byte below the cut.
    const std::size_t before = kArticleLimit - 1 - (10 + 8 + 18 * 16) - kHeader18.size();
    const std::size_t fullLines = (before - 6) / 100;
    const std::size_t lastLine = before - 100 * fullLines - 5;
    ASSERT_TRUE(lastLine >= 1 && lastLine <= 99) << lastLine;
    std::string text;
    for (std::size_t i = 0; i < fullLines; ++i) {
        text += std::string(95, 'x') + "\n";
    }
    text += std::string(lastLine, 'y') + "\n";
    text += " :: " + markers + "\n";
    const std::string doc = render(text);
    const std::string closing = "\\par " + std::string(19, '}') + "\\cf0 \\ql\\fs18}}";
    EXPECT_EQ(doc.size(), kArticleLimit + 15 + closing.size());
    EXPECT_GT(doc.size(), kArticleCapacity);
    EXPECT_EQ(doc.substr(doc.size() - closing.size()), closing);
}

TEST(BuildArticleRtf, DocumentStaysWithinTheBufferWithWideCharacters) {
    std::string text;
    for (int i = 0; i < 2000; ++i) {
        text += std::string(40, '\xE9') + " ____" + std::string(40, '{') + "\n";
    }
    const std::string doc = render(text);
    EXPECT_LT(doc.size(), kArticleLimit + 100);
    int depth = 0;
    for (std::size_t i = 0; i < doc.size(); ++i) {
        if (doc[i] == '\\') {
            ++i;  // an escaped character or the first letter of a control word
        } else if (doc[i] == '{') {
            ++depth;
        } else if (doc[i] == '}') {
            ASSERT_GT(depth, 0) << i;
            --depth;
        }
    }
    EXPECT_EQ(depth, 0);
}

}  // namespace
}  // namespace nuvella
