#include <gtest/gtest.h>

#include "column_widths.h"
#include "memory_settings_store.h"
#include "panel_sizes.h"
#include "view_settings.h"

namespace orvane {
namespace {

struct SortCase {
    const char* name;
    const char* stored;
    TSortItem item;
    bool reverse;
};

class LoadSortStyleTest : public ::testing::TestWithParam<SortCase> {};

TEST_P(LoadSortStyleTest, RestoresSortItemAndDirection) {
    MemorySettingsStore store;
    store.WriteText("General", "SortStyle", GetParam().stored);
    const TViewState state = LoadViewSettings(store);
    EXPECT_EQ(state.sortItem, GetParam().item);
    EXPECT_EQ(state.reverseOrder, GetParam().reverse);
}

INSTANTIATE_TEST_SUITE_P(
    Table, LoadSortStyleTest,
    ::testing::Values(SortCase{"by_filename", "0", TSortItem::ByFilename, false},
                      SortCase{"by_path", "1", TSortItem::ByPath, false},
                      SortCase{"by_path_reversed", "-1", TSortItem::ByPath, true},
                      SortCase{"no_sort", "2", TSortItem::NoSort, false},
                      SortCase{"no_sort_reversed", "-2", TSortItem::NoSort, true},
                      SortCase{"unknown_keeps_first", "9", TSortItem::ByFilename, false},
                      SortCase{"int_min", "-2147483648", TSortItem::ByFilename, true},
                      SortCase{"not_a_number", "x", TSortItem::ByFilename, false}),
    [](const auto& tc) { return std::string(tc.param.name); });

TEST(SortStyleTest, WrittenForms) {
    TViewState s;
    s.sortItem = TSortItem::ByPath;
    s.reverseOrder = true;
    EXPECT_EQ(SortStyleOf(s), -1);
    s.sortItem = TSortItem::ByTime;  // no value of its own
    EXPECT_EQ(SortStyleOf(s), -2);
    s.sortItem = TSortItem::ByFilename;  // zero carries no sign
    EXPECT_EQ(SortStyleOf(s), 0);
}

TEST(ViewSettingsTest, EmptyStoreGivesDefaults) {
    MemorySettingsStore store;
    EXPECT_EQ(LoadViewSettings(store), TViewState{});
}

TEST(ViewSettingsTest, SaveThenLoadRoundTrips) {
    MemorySettingsStore store;
    TViewState s;
    s.sortItem = TSortItem::NoSort;
    s.reverseOrder = true;
    s.sortAlways = false;
    s.tabSetIndex = 1;
    s.playerVisible = false;
    s.playerTopmost = true;
    s.recentDirectory = "C:\\Music\\";
    SaveViewSettings(store, s);
    EXPECT_EQ(store.ReadText("General", "SortStyle"), "-2");
    EXPECT_EQ(store.ReadText("General", "WinPlay3Visible"), "0");
    EXPECT_EQ(LoadViewSettings(store), s);
}

TEST(ViewSettingsTest, TabIndexOutOfRangeSelectsFirstTab) {
    MemorySettingsStore store;
    store.WriteText("General", "TabSetIndex", "4");
    EXPECT_EQ(LoadViewSettings(store).tabSetIndex, 0);
}

TEST(RoundHalfEvenTest, TiesGoToEven) {
    EXPECT_EQ(RoundHalfEven(165.75), 166);
    EXPECT_EQ(RoundHalfEven(331.5), 332);
    EXPECT_EQ(RoundHalfEven(196.5), 196);
    EXPECT_EQ(RoundHalfEven(-0.5), 0);
    EXPECT_EQ(RoundHalfEven(-1.5), -2);
    EXPECT_EQ(RoundHalfEven(2.4999), 2);
}

TEST(PanelSizesTest, DefaultsComeFromTheClientArea) {
    // 663 x 543 at design, status bar 19: 165.75, 252.5 and 331.5.
    const TPanelSizes sizes = DefaultPanelSizes(663, 543, 19);
    EXPECT_EQ(sizes.dirListPanelWidth, 166);
    EXPECT_EQ(sizes.listPanelHeight, 252);
    EXPECT_EQ(sizes.leftPanelWidth, 332);
}

TEST(PanelSizesTest, StoredValuesWinOverDefaults) {
    MemorySettingsStore store;
    SavePanelSizes(store, {10, 20, 30});
    EXPECT_EQ(store.ReadText("Panel", "ListPanel_Height"), "20");
    EXPECT_EQ(LoadPanelSizes(store, 663, 543, 19), (TPanelSizes{10, 20, 30}));
    MemorySettingsStore empty;
    EXPECT_EQ(LoadPanelSizes(empty, 663, 543, 19), DefaultPanelSizes(663, 543, 19));
}

TEST(ColumnWidthsTest, DefaultsAndRoundTrip) {
    MemorySettingsStore store;
    EXPECT_EQ(LoadColumnWidths(store), (TColumnWidths{100, 110, 200}));
    SaveColumnWidths(store, {1, 2, 3});
    EXPECT_EQ(store.ReadText("General", "PathColumnWidth"), "3");
    EXPECT_EQ(LoadColumnWidths(store), (TColumnWidths{1, 2, 3}));
}

}  // namespace
}  // namespace orvane
