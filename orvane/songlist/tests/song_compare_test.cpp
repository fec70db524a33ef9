#include "song_compare.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace orvane {
namespace {

TSongEntry Entry(const char* caption, const char* seconds, const char* folder = "C:\\")
{
    TSongEntry entry;
    entry.caption = caption;
    entry.secondsText = seconds;
    entry.folder = folder;
    return entry;
}

int Sign(int value) { return (value > 0) - (value < 0); }

TEST(CompareLocaleText, CaseComesAfterTheLetters)
{
    struct { const char* a; const char* b; int sign; } cases[] = {
        {"apple", "Banana", -1},
        {"Banana", "banana", 1},
        {"banana", "Banana", -1},
        {"banana", "cherry", -1},
        {"abc", "abcd", -1},
        {"same", "same", 0},
        {"Zulu", "alpha", 1},
    };
    for (const auto& c : cases) EXPECT_EQ(Sign(CompareLocaleText(c.a, c.b)), c.sign) << c.a << " / " << c.b;
}

TEST(ParseSeconds, OnlyWholeNumbers)
{
    EXPECT_EQ(ParseSeconds("240"), 240);
    EXPECT_EQ(ParseSeconds("-3"), -3);
    EXPECT_FALSE(ParseSeconds(""));
    EXPECT_FALSE(ParseSeconds("12a"));
    EXPECT_FALSE(ParseSeconds("abc"));
    EXPECT_FALSE(ParseSeconds("99999999999999999999999"));
}

TEST(CompareSongEntries, KeysAndReverse)
{
    const TSongEntry a = Entry("a.mp3", "300", "D:\\");
    const TSongEntry b = Entry("b.mp3", "20", "C:\\");
    EXPECT_LT(CompareSongEntries(a, b, SortParameter(TSortKey::ByFilename, false)), 0);
    EXPECT_GT(CompareSongEntries(a, b, SortParameter(TSortKey::ByFilename, true)), 0);
    EXPECT_GT(CompareSongEntries(a, b, SortParameter(TSortKey::ByTime, false)), 0);
    EXPECT_GT(CompareSongEntries(a, b, SortParameter(TSortKey::ByPath, false)), 0);
    EXPECT_LT(CompareSongEntries(a, b, SortParameter(TSortKey::NoSort, false)), 0);  // as key 0
}

TEST(CompareSongEntries, TimeWithoutANumberIsAConsistentOrder)
{
    const TSongEntry number = Entry("n", "5");
    const TSongEntry text = Entry("t", "x");
    const TSongEntry otherText = Entry("u", "");
    const std::uint32_t up = SortParameter(TSortKey::ByTime, false);
    // Antisymmetric: the old rule said "1" both ways round.
    EXPECT_LT(CompareSongEntries(number, text, up), 0);
    EXPECT_GT(CompareSongEntries(text, number, up), 0);
    EXPECT_EQ(CompareSongEntries(text, otherText, up), 0);
    EXPECT_EQ(CompareSongEntries(text, text, up), 0);
    const std::uint32_t down = SortParameter(TSortKey::ByTime, true);
    EXPECT_GT(CompareSongEntries(number, text, down), 0);
}

TEST(CompareSongEntries, HugeSecondsDoNotOverflow)
{
    const TSongEntry big = Entry("b", "9223372036854775807");
    const TSongEntry small = Entry("s", "-9223372036854775807");
    EXPECT_GT(CompareSongEntries(big, small, SortParameter(TSortKey::ByTime, false)), 0);
}

TEST(CompareSongEntries, SortsWithoutBreakingTheOrderRules)
{
    std::vector<TSongEntry> entries;
    for (int i = 0; i < 200; ++i) entries.push_back(Entry("e", i % 3 == 0 ? "?" : std::to_string(i * 7 % 50).c_str()));
    for (bool reverse : {false, true}) {
        const std::uint32_t parameter = SortParameter(TSortKey::ByTime, reverse);
        std::sort(entries.begin(), entries.end(),
                  [&](const TSongEntry& a, const TSongEntry& b) { return CompareSongEntries(a, b, parameter) < 0; });
        const auto firstText = std::find_if(entries.begin(), entries.end(),
                                            [](const TSongEntry& e) { return e.secondsText == "?"; });
        if (!reverse) {
            EXPECT_TRUE(std::all_of(firstText, entries.end(), [](const auto& e) { return e.secondsText == "?"; }));
        } else {
            EXPECT_EQ(firstText, entries.begin());
        }
    }
}

}  // namespace
}  // namespace orvane
