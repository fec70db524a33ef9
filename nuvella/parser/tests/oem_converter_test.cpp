#include "oem_table_converter.h"

#include <gtest/gtest.h>

#include <string>

namespace nuvella {
namespace {

TEST(OemTableConverter, AsciiStaysAndLettersBecomeTheirAnsiBytes) {
    // e acute, u umlaut, a ring, sharp s, pound sign in code page 437
    std::string text =
        "caf\x82 \x81"
        "ber \x86 \xE1 \x9C, plain ASCII text here\n";
    OemTableConverter converter;
    converter.toAnsi(text.data(), text.size());
    EXPECT_EQ(text,
              "caf\xE9 \xFC"
              "ber \xE5 \xDF \xA3, plain ASCII text here\n");
}

TEST(OemTableConverter, BoxDrawingFallsBackToLookAlikes) {
    EXPECT_EQ(OemTableConverter::convert(0xC4), '-');   // single horizontal line
    EXPECT_EQ(OemTableConverter::convert(0xCD), '-');   // double horizontal line
    EXPECT_EQ(OemTableConverter::convert(0xB3), 0xA6);  // vertical line: broken bar
    EXPECT_EQ(OemTableConverter::convert(0x7F), 0x7F);
}

TEST(OemTableConverter, ConvertsHighBytesAtEveryPositionOfTheWordLoop) {
    OemTableConverter converter;
    for (std::size_t at = 0; at < 20; ++at) {
        std::string text(20, 'a');
        text[at] = '\x82';
        converter.toAnsi(text.data(), text.size());
        std::string expected(20, 'a');
        expected[at] = '\xE9';
        EXPECT_EQ(text, expected) << at;
    }
}

}  // namespace
}  // namespace nuvella
