#include <gtest/gtest.h>

#include "memory_settings_store.h"
#include "options.h"

namespace orvane {
namespace {

TEST(OptionsTest, EmptyStoreGivesEveryDefault) {
    MemorySettingsStore store;
    const TOptions o = LoadOptions(store, "(Default)");
    EXPECT_EQ(o, TOptions{});
    EXPECT_EQ(o.lyricsExtensions, (std::vector<std::string>{"TXT", "DIZ", "LRC", "NFO", "DOC"}));
    EXPECT_EQ(o.doubleClick, TDoubleClickAction::Play);
    EXPECT_TRUE(o.lockToolBar);
    EXPECT_TRUE(o.mainTainPanelRatio);
    EXPECT_TRUE(o.showUsedIcon);
    EXPECT_FALSE(o.autoMinimize);
}

TEST(OptionsTest, SaveThenLoadKeepsEveryField) {
    MemorySettingsStore store;
    TOptions o;
    o.sequence = TPlaySequence::Random;
    o.lyricsExtensions = {"LRC", "TXT"};
    o.pageIndex = 2;
    o.doubleClick = TDoubleClickAction::PlayListFromHere;
    o.autoHide = o.autoSet = o.allowDuplicated = o.dontSplashScreen = o.dontShowHint = true;
    o.lockToolBar = o.mainTainPanelRatio = o.showUsedIcon = false;
    o.saverStop = o.autoLaunchWinPlay3 = o.autoCloseWinPlay3 = o.autoMinimize = true;
    o.autoSaveTag = true;
    SaveOptions(store, "(Default)", o);
    EXPECT_EQ(store.ReadText("(Default)", "LyricsExtension"), "LRC;TXT;");
    EXPECT_EQ(store.ReadText("(Default)", "LockToolBar"), "0");
    EXPECT_EQ(store.ReadText("(Default)", "Sequence"), "2");
    EXPECT_EQ(LoadOptions(store, "(Default)"), o);
}

struct RangeCase {
    const char* name;
    const char* value;
    const char* text;
};

class OptionRangeTest : public ::testing::TestWithParam<RangeCase> {};

TEST_P(OptionRangeTest, OutOfRangeValuesReadAsTheFirstChoice) {
    MemorySettingsStore store;
    store.WriteText("(Default)", GetParam().value, GetParam().text);
    const TOptions o = LoadOptions(store, "(Default)");
    EXPECT_EQ(o.pageIndex, 0);
    EXPECT_EQ(o.sequence, TPlaySequence::TopDown);
    EXPECT_EQ(o.doubleClick, TDoubleClickAction::Play);
}

INSTANTIATE_TEST_SUITE_P(Table, OptionRangeTest,
                         ::testing::Values(RangeCase{"page_3", "PageIndex", "3"},
                                           RangeCase{"page_negative", "PageIndex", "-1"},
                                           RangeCase{"sequence_7", "Sequence", "7"},
                                           RangeCase{"double_click_9", "DoubleClick", "9"},
                                           RangeCase{"double_click_neg", "DoubleClick", "-1"}),
                         [](const auto& tc) { return std::string(tc.param.name); });

TEST(OptionsTest, CancelledDialogWritesNothing) {
    MemorySettingsStore store;
    TOptions o;
    o.autoHide = true;
    CloseProperties(store, o, true);
    EXPECT_EQ(store.ValueCount(), 0u);
    CloseProperties(store, o, false);
    EXPECT_TRUE(LoadOptions(store, "(Default)").autoHide);
}

TEST(OptionsTest, CaptionNamesTitleAndSet) {
    EXPECT_EQ(PropertiesCaption("Rock"), "Orvane Manager 1.0 Beta2 Properties - Rock");
}

}  // namespace
}  // namespace orvane
