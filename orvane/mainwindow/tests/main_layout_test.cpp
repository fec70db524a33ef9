#include "main_layout.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

TEST(PanelRules, ResizeKeepsTheRightPanelAndTheRatio) {
    struct Case {
        const char* name;
        TPanelSizes before;
        int clientWidth;
        bool ratio;
        TPanelSizes after;
    };
    const Case cases[] = {
        {"wide enough, no ratio", {100, 200, 300}, 663, false, {150, 200, 300}},
        {"right panel too narrow", {100, 200, 600}, 663, false, {254, 200, 509}},
        {"ratio, ties to even", {100, 200, 300}, 662, true, {166, 200, 331}},
        {"narrow window keeps 20", {10, 200, 100}, 100, false, {10, 200, 20}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PanelsAfterResize(c.before, c.clientWidth, c.ratio), c.after) << c.name;
    }
}

TEST(PanelRules, Split3ClampsBothSides) {
    EXPECT_EQ(PanelsAfterSplit3({0, 50, 5}, 663), (TPanelSizes{10, 50, 20}));
    EXPECT_EQ(PanelsAfterSplit3({0, 50, 600}, 663), (TPanelSizes{254, 50, 509}));
    EXPECT_EQ(PanelsAfterSplit3({0, 50, 301}, 663), (TPanelSizes{150, 50, 301}));
}

TEST(MainLayout, PartsTileTheClientArea) {
    const TMainLayout l = LayOutMainWindow(663, 543, 31, 20, 25, {166, 251, 332});
    EXPECT_EQ(l.dirListPanel, (TRect{0, 31, 166, 251}));
    EXPECT_EQ(l.fileListPanel.x, 166 + kSplitterWidth);
    EXPECT_EQ(l.fileListPanel.x + l.fileListPanel.width, 332);
    EXPECT_EQ(l.tabs.y + l.tabs.height, 543 - 20);
    EXPECT_EQ(l.split3.x, 332);
    EXPECT_EQ(l.toolPanel.width, 31);
    EXPECT_EQ(l.songList.x + l.songList.width, 663);
    EXPECT_EQ(l.totals.y + l.totals.height, 523);
}

TEST(MainLayout, StoredSizesLargerThanTheWindowAreCutForDrawing) {
    const TMainLayout l = LayOutMainWindow(300, 200, 30, 20, 25, {900, 900, 900});
    EXPECT_LE(l.split3.x + l.split3.width, 300);
    EXPECT_GE(l.tabs.height, 0);
    EXPECT_GE(l.songList.width, 0);
}

// A window brought back smaller than the one the sizes were stored in keeps every tag box.
TEST(MainLayout, TheTagPageKeepsItsBoxesBeforeTheUpperPartDoes) {
    struct Case {
        const char* name;
        int clientHeight;
        int storedUpper;
    };
    const Case cases[] = {
        {"700 x 560 after a larger window", 502, 300},
        {"the smallest window", MinClientHeight(31, 20), 251},
        {"a very tall upper part", 543, 900},
    };
    for (const Case& c : cases) {
        const TMainLayout l =
            LayOutMainWindow(684, c.clientHeight, 31, 20, 25, {171, c.storedUpper, 342});
        EXPECT_GE(l.tabs.height, kMinTabsHeight) << c.name;
        EXPECT_EQ(l.tabs.y + l.tabs.height, c.clientHeight - 20) << c.name;
    }
}

}  // namespace
}  // namespace orvane
