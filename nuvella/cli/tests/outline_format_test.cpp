#include "outline_format.h"

#include <gtest/gtest.h>

namespace nuvella {
namespace {

TEST(EscapeLabel, ControlCharactersBecomeCEscapes) {
    EXPECT_EQ(escapeLabel("Letters\n"), "Letters\\n");
    EXPECT_EQ(escapeLabel("a\tb\rc"), "a\\tb\\rc");
    EXPECT_EQ(escapeLabel("back\\slash"), "back\\\\slash");
    EXPECT_EQ(escapeLabel(std::string_view("\x01"
                                           "7\x7F",
                                           3)),
              "\\0017\\177");
    EXPECT_EQ(escapeLabel(std::string_view("\0", 1)), "\\000");
    EXPECT_EQ(escapeLabel(" News "), " News ");
    EXPECT_EQ(escapeLabel("caf\xE9"), "caf\xE9");
}

TEST(FormatOutlineEntry, DepthKindLabel) {
    RecordedEntry entry;
    entry.kind = OutlineKind::Section;
    entry.depth = 1;
    entry.label = " News ";
    EXPECT_EQ(formatOutlineEntry(entry), "1 section  News ");
    entry.kind = OutlineKind::Article;
    entry.depth = 2;
    entry.label = "Open\n";
    EXPECT_EQ(formatOutlineEntry(entry), "2 article Open\\n");
    entry.kind = OutlineKind::File;
    entry.depth = 0;
    entry.label = "issue.txt";
    EXPECT_EQ(formatOutlineEntry(entry), "0 file issue.txt");
}

}  // namespace
}  // namespace nuvella
