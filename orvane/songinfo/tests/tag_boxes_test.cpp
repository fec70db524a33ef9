#include "tag_boxes.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

TEST(CheckYear, AcceptsFrom1900ToThisYear)
{
    struct { const char* text; TYearCheck check; const char* after; } cases[] = {
        {"1900", TYearCheck::Accepted, "1900"},
        {"1994", TYearCheck::Accepted, "1994"},
        {"2001", TYearCheck::Accepted, "2001"},  // past the old 2000 limit
        {"2024", TYearCheck::Accepted, "2024"},
        {"2026", TYearCheck::Accepted, "2026"},
        {" 1999", TYearCheck::Accepted, "1999"},
        {"+1999", TYearCheck::Accepted, "1999"},
        {"2027", TYearCheck::Rejected, "2027"},
        {"1899", TYearCheck::Rejected, "1899"},
        {"-1994", TYearCheck::Rejected, "-1994"},
        {"99999999999999999999", TYearCheck::Rejected, "99999999999999999999"},
        {"", TYearCheck::ReplacedByCurrentYear, "2026"},
        {"abc", TYearCheck::ReplacedByCurrentYear, "2026"},
        {"19a9", TYearCheck::ReplacedByCurrentYear, "2026"},
        {"-", TYearCheck::ReplacedByCurrentYear, "2026"},
    };
    for (const auto& c : cases) {
        const TYearResult result = CheckYear(c.text, 2026);
        EXPECT_EQ(result.check, c.check) << c.text;
        EXPECT_EQ(result.text, c.after) << c.text;
    }
}

TEST(CheckYear, CurrentYearIsAccepted)
{
    const int year = CurrentYear();
    EXPECT_GE(year, 2024);
    EXPECT_EQ(CheckYear(std::to_string(year), year).check, TYearCheck::Accepted);
}

TEST(TagBoxes, NoGenreIs255AndBack)
{
    TTagBoxes boxes{"t", "a", "b", "1999", "c", -1};
    EXPECT_EQ(TagFromBoxes(boxes).genre, 255);
    boxes.genre = 42;
    EXPECT_EQ(TagFromBoxes(boxes).genre, 42);
    TTagRecord record;
    record.genre = 43;
    EXPECT_EQ(BoxesFromTag(record).genre, -1);
    record.genre = 0;
    EXPECT_EQ(BoxesFromTag(record).genre, 0);
}

TEST(TagBoxes, RecordCutsTextsToTheirWidths)
{
    const TTagBoxes boxes{std::string(40, 't'), "a", "b", "19999", std::string(35, 'c'), 3};
    const TTagRecord record = TagFromBoxes(boxes);
    EXPECT_EQ(record.title.size(), 30u);
    EXPECT_EQ(record.year, "1999");
    EXPECT_EQ(record.comment.size(), 30u);
}

TEST(TagClipboard, CopyJoinsTheSixFieldsWithLineBreaks)
{
    EXPECT_EQ(TagClipboardText({"Title", "Artist", "Album", "1995", "Note", 17}),
              "Title\r\nArtist\r\nAlbum\r\n1995\r\nNote\r\n17");
    EXPECT_EQ(TagClipboardText({"", "", "", "", "", -1}), "\r\n\r\n\r\n\r\n\r\n-1");
}

TEST(TagClipboard, CopyThenPasteReproducesAllSixFields)
{
    const TTagBoxes copied{"Title", "Artist", "Album", "1995", "Note", 17};
    const TTagBoxes other{"x", "y", "z", "2000", "w", 3};
    EXPECT_EQ(PasteTagClipboardText(TagClipboardText(copied), other), copied);
    const TTagBoxes noGenre{"", "only artist", "", "", "", -1};
    EXPECT_EQ(PasteTagClipboardText(TagClipboardText(noGenre), other), noGenre);
}

TEST(TagClipboard, OverlongYearIsCutSoTheGenreSurvives)
{
    const TTagBoxes copied{std::string(30, 'a'), std::string(30, 'b'), std::string(30, 'c'),
                           std::string(300, '9'), std::string(30, 'd'), 42};
    const std::string text = TagClipboardText(copied);
    EXPECT_EQ(text.size(), kMaxClipboardTagText);
    const TTagBoxes pasted = PasteTagClipboardText(text, {});
    EXPECT_EQ(pasted.genre, 42);
    EXPECT_EQ(pasted.comment, copied.comment);
}

TEST(TagClipboard, PasteWithoutLineBreaksKeepsTheTextBoxes)
{
    const TTagBoxes current{"t", "a", "b", "1999", "c", 5};
    // Five characters are dropped, one per box; "12" is left for the genre.
    const TTagBoxes pasted = PasteTagClipboardText("abcde12", current);
    EXPECT_EQ(pasted.title, "t");
    EXPECT_EQ(pasted.comment, "c");
    EXPECT_EQ(pasted.genre, 12);
    EXPECT_EQ(PasteTagClipboardText("plain text", current).genre, -1);
}

TEST(TagClipboard, PasteReadsOnlyTheFirst254Characters)
{
    std::string text = "t\r\na\r\nb\r\n" + std::string(300, '1') + "\r\nc\r\n7";
    const TTagBoxes pasted = PasteTagClipboardText(text, {"T", "A", "B", "Y", "C", 1});
    EXPECT_EQ(pasted.title, "t");
    EXPECT_EQ(pasted.year, "Y");     // its line break lies beyond the cut
    EXPECT_EQ(pasted.comment, "C");
    EXPECT_EQ(pasted.genre, -1);
}

TEST(TagClipboard, GenreOutsideTheListIsNoGenre)
{
    EXPECT_EQ(PasteTagClipboardText("\r\n\r\n\r\n\r\n\r\n43", {}).genre, -1);
    EXPECT_EQ(PasteTagClipboardText("\r\n\r\n\r\n\r\n\r\n99999999999999", {}).genre, -1);
    EXPECT_EQ(PasteTagClipboardText("\r\n\r\n\r\n\r\n\r\n0", {}).genre, 0);
}

}  // namespace
}  // namespace orvane
