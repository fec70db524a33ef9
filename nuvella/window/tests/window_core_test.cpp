#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>
#include <string>

#include "command_error.h"
#include "font_metrics.h"
#include "open_selection.h"
#include "string_ring.h"
#include "tree_picture.h"

namespace nuvella {
namespace {

TEST(TreePicture, FilesSectionsAndArticles) {
    EXPECT_EQ(treePicture(false, true, false), kFileClosed);
    EXPECT_EQ(treePicture(false, true, true), kFileOpen);
    EXPECT_EQ(treePicture(false, false, false), kFileClosed);
    EXPECT_EQ(treePicture(true, true, false), kSectionClosed);
    EXPECT_EQ(treePicture(true, true, true), kSectionOpen);
    EXPECT_EQ(treePicture(true, false, true), kArticle);
    EXPECT_EQ(treePicture(true, false, false), kArticle);
}

TEST(CommandError, SaysWhatFailed) {
    const std::bad_alloc noMemory;
    const std::runtime_error failed("Cannot read the issue");
    const std::runtime_error silent("");
    EXPECT_EQ(commandErrorText(&noMemory), kOutOfMemoryText);
    EXPECT_EQ(commandErrorText(&failed), "Cannot read the issue");
    EXPECT_EQ(commandErrorText(&silent), kCommandFailedText);
    EXPECT_EQ(commandErrorText(nullptr), kCommandFailedText);
}

TEST(FontMetrics, TenPointsAt96DotsPerInchGives260TwipsAndSize13) {
    const int logFontHeight = -13;  // what the font dialog returns for 10 points at 96 dpi
    EXPECT_EQ(twipsFromLogFontHeight(logFontHeight), 260);
    EXPECT_EQ(baseFontSizeFromLogFontHeight(logFontHeight), 13);
    EXPECT_EQ(logFontHeightFromTwips(kStartFontTwips), -9);
    EXPECT_EQ(logFontHeightFromTwips(190), -9) << "integer division truncates towards zero";
    EXPECT_EQ(baseFontSizeFromLogFontHeight(12), 12);
}

TEST(StringRing, FiveStringsStayValidAtOnce) {
    StringRing ring;
    char* buffers[5];
    for (int i = 0; i < 5; ++i) {
        buffers[i] = ring.next();
        std::strcpy(buffers[i], std::to_string(i).c_str());
    }
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(std::string(buffers[i]), std::to_string(i));
    }
    EXPECT_EQ(ring.next(), buffers[0]) << "the sixth call reuses the first buffer";
}

std::string buffer(std::initializer_list<std::string> parts) {
    std::string out;
    for (const auto& part : parts) {
        out += part;
        out += '\0';
    }
    out += '\0';
    return out;
}

TEST(OpenSelection, OneFileIsItsFullPath) {
    const std::string result = buffer({"C:\\issues\\n1.txt"});
    const OpenSelection selection = parseOpenSelection(result.data(), result.size(), 10);
    EXPECT_EQ(selection.paths, (std::vector<std::string>{"C:\\issues\\n1.txt"}));
}

TEST(OpenSelection, SeveralFilesAreJoinedToTheirDirectoryInOrder) {
    const std::string result = buffer({"C:\\issues", "n1.txt", "n2.txt", "b.txt"});
    const OpenSelection selection = parseOpenSelection(result.data(), result.size(), 10);
    EXPECT_EQ(selection.paths, (std::vector<std::string>{"C:\\issues\\n1.txt", "C:\\issues\\n2.txt",
                                                         "C:\\issues\\b.txt"}));
    EXPECT_TRUE(selection.skipped.empty());
}

TEST(OpenSelection, JoinedPathLongerThan254IsSkippedNotCut) {
    const std::string directory = "C:\\" + std::string(240, 'd');  // 243 characters
    const std::string fits(10, 'a');                               // 243 + 1 + 10 = 254
    const std::string tooLong(11, 'b');                            // 255
    const std::string result = buffer({directory, fits, tooLong, "c"});
    const OpenSelection selection =
        parseOpenSelection(result.data(), result.size(), directory.size() + 1);
    EXPECT_EQ(selection.paths,
              (std::vector<std::string>{directory + "\\" + fits, directory + "\\c"}));
    EXPECT_EQ(selection.skipped, (std::vector<std::string>{tooLong}));
}

TEST(OpenSelection, EmptyOrUnterminatedBuffersStayInBounds) {
    const std::string empty(8, '\0');
    EXPECT_TRUE(parseOpenSelection(empty.data(), empty.size(), 3).paths.empty());
    const std::string cut = std::string("C:\\d") + '\0' + "abc";  // no closing NULs
    const OpenSelection selection = parseOpenSelection(cut.data(), cut.size(), 5);
    EXPECT_EQ(selection.paths, (std::vector<std::string>{"C:\\d\\abc"}));
}

}  // namespace
}  // namespace nuvella
