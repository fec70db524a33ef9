#include "list_commands.h"
#include "list_labels.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

TEST(ListLabels, TotalTime)
{
    TListTotals totals;
    totals.selectedSeconds = 245;
    totals.listSeconds = 3725;
    EXPECT_EQ(TotalTimeLabel(totals), "Time:  4 mins  5 secs /  1 hours  2 mins  5 secs");
}

TEST(ListLabels, TotalSongLabelByTheSelection)
{
    TListTotals totals;
    totals.count = 12;
    totals.selectedCount = 3;
    totals.firstSelected = 4;
    EXPECT_EQ(TotalSongLabel(totals, 7), " 3 of 12,");
    totals.selectedCount = 1;
    EXPECT_EQ(TotalSongLabel(totals, 7), "NO. 5/12,");
    totals.selectedCount = 0;
    totals.firstSelected = -1;
    EXPECT_EQ(TotalSongLabel(totals, 7), "NO. 8/12,");
    EXPECT_EQ(TotalSongLabel(totals, -1), "NO. 0/12,");
}

TEST(ListLabels, FileCountAndCheckMessages)
{
    EXPECT_EQ(FileListCountLabel(2, 15), " 2 of 15 files selected");
    EXPECT_EQ(CheckResultMessage(0), "No Problem !! :)");
    EXPECT_EQ(CheckResultMessage(3), "Successfully delete 3 invalid entries !!");
}

TEST(ListCommands, EnabledByContentSelectionAndSort)
{
    EXPECT_TRUE(ListCommandsFor(false, false, true).enabled.empty());
    const TListCommands listed = ListCommandsFor(true, false, true);
    EXPECT_TRUE(listed.IsEnabled("RandomItem1"));
    EXPECT_TRUE(listed.IsEnabled("PlayListHereItem"));
    EXPECT_FALSE(listed.IsEnabled("DelBtn"));
    const TListCommands sorted = ListCommandsFor(true, true, false);
    EXPECT_TRUE(sorted.IsEnabled("DelBtn"));
    EXPECT_FALSE(sorted.IsEnabled("UpBtn"));
    const TListCommands unsorted = ListCommandsFor(true, true, true);
    EXPECT_TRUE(unsorted.IsEnabled("UpBtn"));
    EXPECT_TRUE(unsorted.IsEnabled("DownBtn"));
    EXPECT_EQ(TListCommands::AllNames().size(), 33u);
}

}  // namespace
}  // namespace orvane
