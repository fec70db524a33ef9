#include "issue_parser.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "line_masks.h"

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

// Pieces taken one at a time with takePiece, up to the first Ctrl+Z: the yardstick for the
// splitter, which walks whole blocks of line ends at once.
std::vector<std::string> piecesOneByOne(std::string raw) {
    raw.resize(raw.find('\x1A') == std::string::npos ? raw.size() : raw.find('\x1A'));
    std::vector<std::string> out;
    for (std::size_t at = 0; at < raw.size();) {
        const RawPiece piece = takePiece(raw.data() + at, raw.size() - at);
        out.emplace_back(raw.c_str() + at, std::strlen(std::string(raw, at, piece.length).c_str()));
        at += piece.raw;
    }
    out.emplace_back();
    return out;
}

TEST(SplitIntoPieces, EveryMaskPathGivesThePiecesOfTakePiece) {
    std::mt19937 random(7);
    const char alphabet[] = {'a', 'b', ' ', '=', '\n', '\r', '\n', '\0', '\x82', 'c'};
    for (const LineMaskPath path :
         {LineMaskPath::Portable, LineMaskPath::Sse2, LineMaskPath::Avx2, LineMaskPath::Avx512}) {
        if (!setLineMaskPath(path))
            continue;
        for (int round = 0; round < 40; ++round) {
            std::string raw;
            while (raw.size() < 3000) {
                // Runs of one letter make lines longer than a piece and a block.
                const std::size_t run = random() % 8 == 0 ? random() % 300 : 1;
                raw.append(run, random() % 3 == 0 ? alphabet[random() % sizeof alphabet] : 'x');
            }
            if (round % 4 == 0)
                raw[random() % raw.size()] = '\x1A';
            ASSERT_EQ(piecesOf(raw), piecesOneByOne(raw)) << "path " << static_cast<int>(path);
            std::array<LineMasks, 4> built;
            buildLineMasks(raw.data(), built.size(), built.data());
            for (std::size_t b = 0; b < built.size(); ++b) {
                const LineMasks want = buildTailMasks(raw.data() + b * kMaskBlock, kMaskBlock);
                EXPECT_EQ(built[b].lineFeeds, want.lineFeeds);
                EXPECT_EQ(built[b].ctrlZ, want.ctrlZ);
                EXPECT_EQ(built[b].equals, want.equals);
                EXPECT_EQ(built[b].nuls, want.nuls);
                EXPECT_EQ(built[b].upper, want.upper);
            }
        }
    }
    setLineMaskPath(LineMaskPath::Avx512) || setLineMaskPath(LineMaskPath::Avx2) ||
        setLineMaskPath(LineMaskPath::Sse2);
}

// A code page that changes ASCII letters too: every byte is converted, and none past the end
// of the text (the block here is exactly as large as the text; the sanitizer build checks).
TEST(ParseIssueText, ACodePageThatChangesAsciiConvertsTheTextAndNothingPastIt) {
    class Shouting final : public OemConverter {
      public:
        void toAnsi(char* text, std::size_t size) override {
            for (std::size_t i = 0; i < size; ++i)
                if (text[i] >= 'a' && text[i] <= 'z')
                    text[i] = static_cast<char>(text[i] - 'a' + 'A');
        }
        std::size_t utf8ToAnsi(char*, std::size_t size) override { return size; }
        void ansiToUtf8(std::string_view, std::string&) override {}
    } converter;
    const std::string raw = "marker\n" + std::string(70, 'q') + "\nlast words";
    Issue issue;
    issue.text = TextBlock(raw.size());
    std::memcpy(issue.text.get(), raw.data(), raw.size());
    issue.textSize = raw.size();
    parseIssueText(issue, 7, converter);
    std::vector<std::string> pieces;
    for (const IssueLine* line = issue.head(); line; line = line->next())
        pieces.emplace_back(line->text());
    EXPECT_EQ(pieces, (std::vector<std::string>{std::string(70, 'Q') + "\n", "LAST WORDS", ""}));
}

TEST(HasIssueMarker, AnyCaseAnywhereInThePiece) {
    EXPECT_TRUE(hasIssueMarker("---start.of nuvella #42---\n"));
    EXPECT_TRUE(hasIssueMarker("START.OF"));
    EXPECT_FALSE(hasIssueMarker("Start Of"));
    EXPECT_FALSE(hasIssueMarker("Start.O"));
    EXPECT_FALSE(hasIssueMarker("Start.\nOf"));
}

}  // namespace
}  // namespace nuvella
