#include "issue_parser.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace nuvella {
namespace {

// The pieces a file's bytes read as, after text mode, split at line feeds and 99 characters.
std::vector<std::string> piecesOf(const std::string& raw) {
    Issue issue;
    issue.text = TextBlock(raw.size() + 1);
    std::memcpy(issue.text.get(), raw.data(), raw.size());
    issue.textSize = raw.size();
    splitIntoPieces(issue, 0);
    std::vector<std::string> out;
    for (const IssueLine* line = issue.head(); line; line = line->next()) {
        out.emplace_back(line->text());
    }
    return out;
}

struct PiecesCase {
    const char* name;
    std::string raw;
    std::vector<std::string> pieces;
};

void PrintTo(const PiecesCase& c, std::ostream* os) {
    *os << c.name;
}

const std::string k97(97, 'a');
const std::string k98(98, 'b');
const std::string k99(99, 'c');

const PiecesCase kPiecesCases[] = {
    {"lf_lines", "a\nb\n", {"a\n", "b\n", ""}},
    {"crlf_reads_as_lf", "a\r\nb\r\n", {"a\n", "b\n", ""}},
    {"lone_cr_stays", "a\rb\n", {"a\rb\n", ""}},
    {"cr_at_the_end_stays", "a\r", {"a\r", ""}},
    {"cr_cr_lf_keeps_one_cr", "a\r\r\nb", {"a\r\n", "b", ""}},
    {"empty_crlf_line", "\r\n\r\nx", {"\n", "\n", "x", ""}},
    {"no_final_line_feed", "end", {"end", ""}},
    {"nothing", "", {""}},
    {"98_and_crlf_is_one_piece", k98 + "\r\nz", {k98 + "\n", "z", ""}},
    {"99_and_crlf_splits_before_the_pair", k99 + "\r\nz", {k99, "\n", "z", ""}},
    {"99_and_lf_splits_before_it", k99 + "\nz", {k99, "\n", "z", ""}},
    {"97_and_cr_cr_lf", k97 + "\r\r\n", {k97 + "\r\n", ""}},
    {"98_and_cr_cr_lf_splits", k98 + "\r\r\n", {k98 + "\r", "\n", ""}},
    {"250_characters",
     std::string(250, 'd') + "\n",
     {std::string(99, 'd'), std::string(99, 'd'), std::string(52, 'd') + "\n", ""}},
};

class PiecesTest : public ::testing::TestWithParam<PiecesCase> {};

TEST_P(PiecesTest, ReadLikeTextModeAndSplit) {
    EXPECT_EQ(piecesOf(GetParam().raw), GetParam().pieces);
}

INSTANTIATE_TEST_SUITE_P(Table, PiecesTest, ::testing::ValuesIn(kPiecesCases),
                         [](const auto& param) { return std::string(param.param.name); });

TEST(HasIssueMarker, AnyCaseAnywhereInThePiece) {
    EXPECT_TRUE(hasIssueMarker("---start.of nuvella #42---\n"));
    EXPECT_TRUE(hasIssueMarker("START.OF"));
    EXPECT_FALSE(hasIssueMarker("Start Of"));
    EXPECT_FALSE(hasIssueMarker("Start.O"));
    EXPECT_FALSE(hasIssueMarker("Start.\nOf"));
}

}  // namespace
}  // namespace nuvella
