#include "pane_layout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace nuvella {
namespace {

TEST(LayoutPanes, SideBySideGivesTheTreeAQuarterAndLeavesAFourPixelGap) {
    const PaneLayout layout = layoutPanes(800, 600, kStartSplitRatio, false);
    EXPECT_EQ(layout.tree, (PaneRect{0, 0, 198, 600}));
    EXPECT_EQ(layout.text, (PaneRect{202, 0, 600, 600}));
    EXPECT_EQ(layout.text.x - (layout.tree.x + layout.tree.width), 4);
}

TEST(LayoutPanes, StackedGivesTheTreeAQuarterOfTheHeightAndAThreePixelGap) {
    const PaneLayout layout = layoutPanes(800, 600, kStartSplitRatio, true);
    EXPECT_EQ(layout.tree, (PaneRect{0, 0, 800, 149}));
    EXPECT_EQ(layout.text, (PaneRect{0, 152, 800, 450}));
    EXPECT_EQ(layout.text.y - (layout.tree.y + layout.tree.height), 3);
}

TEST(LayoutPanes, SplitPositionIsTheIntegerPartOfTheShare) {
    // 333 * 0.5 = 166.5: the split lies at 166.
    EXPECT_EQ(layoutPanes(333, 100, 0.5, false).text.x, 168);
    EXPECT_EQ(layoutPanes(100, 333, 0.5, true).text.y, 168);
}

TEST(LayoutPanes, ResizingKeepsTheRatioNotThePixels) {
    EXPECT_EQ(layoutPanes(400, 300, 0.5, false).tree.width, 198);
    EXPECT_EQ(layoutPanes(1000, 300, 0.5, false).tree.width, 498);
}

struct RatioCase {
    const char* name;
    int position;
    int extent;
    double ratio;
};

void PrintTo(const RatioCase& c, std::ostream* os) {
    *os << c.name;
}

const RatioCase kRatioCases[] = {
    {"left_edge_clamps_low", 0, 800, 0.05},
    {"just_below_low_end", 39, 800, 0.05},
    {"at_low_end", 40, 800, 0.05},
    {"middle", 400, 800, 0.5},
    {"at_high_end", 760, 800, 0.95},
    {"right_edge_clamps_high", 800, 800, 0.95},
    {"beyond_window_clamps_high", 5000, 800, 0.95},
    {"negative_clamps_low", -30, 800, 0.05},
    {"zero_extent_low", 0, 0, 0.05},
    {"zero_extent_positive_high", 5, 0, 0.95},
};

class SplitRatioTest : public ::testing::TestWithParam<RatioCase> {};

TEST_P(SplitRatioTest, ReleasedPositionGivesAClampedRatio) {
    EXPECT_DOUBLE_EQ(splitRatioAt(GetParam().position, GetParam().extent), GetParam().ratio);
}

INSTANTIATE_TEST_SUITE_P(Table, SplitRatioTest, ::testing::ValuesIn(kRatioCases),
                         [](const auto& param) { return std::string(param.param.name); });

TEST(DragLine, TwoPixelsAcrossTheWholeClientArea) {
    EXPECT_EQ(dragLine(120, 800, 600, false), (PaneRect{120, 0, 2, 600}));
    EXPECT_EQ(dragLine(90, 800, 600, true), (PaneRect{0, 90, 800, 2}));
}

}  // namespace
}  // namespace nuvella
