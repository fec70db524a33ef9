#include "utf8_text.h"

#include <gtest/gtest.h>

#include <string>

#include "oem_table_converter.h"

namespace nuvella {
namespace {

struct Utf8Case {
    const char* name;
    std::string bytes;
    bool readsAsUtf8;
};

const Utf8Case kUtf8Cases[] = {
    {"ascii_only", "Start.Of plain\nbody\n", false},
    {"two_byte_letter", "caf\xC3\xA9\n", true},
    {"bom_then_ascii", "\xEF\xBB\xBFStart.Of\n", true},
    {"four_byte", "\xF0\x9F\x98\x80", true},
    {"oem_letter", "caf\x82\n", false},
    {"oem_letter_after_a_good_one", "\xC3\xA9 caf\x82", false},
    {"overlong_two_byte", "\xC0\xAF", false},
    {"overlong_three_byte", "\xE0\x80\xAF", false},
    {"surrogate", "\xED\xA0\x80", false},
    {"past_10ffff", "\xF4\x90\x80\x80", false},
    {"cut_at_the_end", "ok \xE2\x82", false},
    {"lone_continuation", "\x80", false},
    {"ascii_inside_a_sequence", "\xE2\x82\n", false},
};

class Utf8CheckTest : public ::testing::TestWithParam<Utf8Case> {};

TEST_P(Utf8CheckTest, DecidesOnTheWholeText) {
    EXPECT_EQ(readsAsUtf8(GetParam().bytes.data(), GetParam().bytes.size()),
              GetParam().readsAsUtf8);
}

// Fed a byte at a time, the same answer: a sequence may be cut between blocks.
TEST_P(Utf8CheckTest, DecidesTheSameFedByteByByte) {
    Utf8Check check;
    for (const char c : GetParam().bytes) {
        check.feed(&c, 1);
    }
    EXPECT_EQ(check.readsAsUtf8(), GetParam().readsAsUtf8);
}

INSTANTIATE_TEST_SUITE_P(Table, Utf8CheckTest, ::testing::ValuesIn(kUtf8Cases),
                         [](const auto& param) { return std::string(param.param.name); });

TEST(Utf8ToCodePage1252, LettersTheCodePageHoldsAndQuestionMarksForTheRest) {
    // e acute, euro, curly quotes, em dash, Greek omega, an emoji
    std::string text =
        "caf\xC3\xA9 \xE2\x82\xAC \xE2\x80\x98q\xE2\x80\x99 \xE2\x80\x94 \xCE\xA9 "
        "\xF0\x9F\x98\x80!\n";
    OemTableConverter converter;
    text.resize(converter.utf8ToAnsi(text.data(), text.size()));
    EXPECT_EQ(text, "caf\xE9 \x80 \x91q\x92 \x97 ? ?!\n");
}

TEST(CodePage1252ToUtf8, EveryByteComesBackThroughUtf8) {
    std::string all;
    for (int c = 1; c < 256; ++c) {
        all += static_cast<char>(c);
    }
    std::string utf8;
    OemTableConverter converter;
    converter.ansiToUtf8(all, utf8);
    ASSERT_TRUE(readsAsUtf8(utf8.data(), utf8.size()));
    utf8.resize(converter.utf8ToAnsi(utf8.data(), utf8.size()));
    EXPECT_EQ(utf8, all);
}

}  // namespace
}  // namespace nuvella
