#include "tag_text_codec.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace orvane {
namespace {

// Through the system's ANSI code page (1252 here): letters it has, '?' for the rest, never a
// look-alike.
TEST(SystemTagTextCodec, ConvertsThroughTheAnsiCodePage) {
    ASSERT_EQ(GetACP(), 1252u);
    TTagTextCodec& codec = SystemTagTextCodec();
    EXPECT_EQ(codec.ToAnsi(u"Caf\u00E9 \u20AC \u2605 \u0101"), "Caf\xE9 \x80 ? ?");
    EXPECT_EQ(codec.FromAnsi("Caf\xE9 \x80"), u"Caf\u00E9 \u20AC");
}

}  // namespace
}  // namespace orvane
