#include "window_decisions.h"

#include <gtest/gtest.h>

#include "command_table.h"
#include "memory_settings_store.h"

namespace orvane {
namespace {

TEST(StartPlan, SplashAndHiddenStartFromTheSettings) {
    struct Case {
        const char* name;
        const char* section;
        const char* value;
        TStartPlan plan;
    };
    const Case cases[] = {
        {"fresh", nullptr, nullptr, {true, false}},
        {"no splash", "(Default)", "DontSplashScreen", {false, false}},
        {"hidden at last close", "General", "AppHide", {true, true}},
        {"hide at start option", "(Default)", "AutoHide", {true, true}},
    };
    for (const Case& c : cases) {
        MemorySettingsStore store;
        if (c.section != nullptr)
            store.WriteText(c.section, c.value, "1");
        const TStartPlan plan = PlanStart(store);
        EXPECT_EQ(plan.showSplash, c.plan.showSplash) << c.name;
        EXPECT_EQ(plan.startHidden, c.plan.startHidden) << c.name;
    }
}

TEST(DoubleClick, TableByOptionAndList) {
    using C = TDoubleClickCommand;
    using A = TDoubleClickAction;
    struct Case {
        TClickedList list;
        A option;
        bool selection;
        C command;
    };
    const Case cases[] = {
        {TClickedList::SongList, A::AddRemove, true, C::Remove},
        {TClickedList::FileList, A::AddRemove, true, C::Add},
        {TClickedList::SongList, A::Play, true, C::Play},
        {TClickedList::FileList, A::Play, true, C::Play},
        {TClickedList::SongList, A::PlayListFromHere, true, C::PlayListFromHere},
        {TClickedList::FileList, A::PlayListFromHere, true, C::Nothing},
        {TClickedList::FileList, A::AddRemove, false, C::Nothing},
        {TClickedList::SongList, A::Play, false, C::Nothing},
    };
    int row = 0;
    for (const Case& c : cases) {
        EXPECT_EQ(DoubleClickCommand(c.list, c.option, c.selection), c.command) << "row " << row;
        ++row;
    }
}

TEST(ShownFile, SelectionThenNowPlayingThenFileList) {
    TSongList list;
    list.Assign({MakeSongEntry("C:\\A", "one.mp3", 1), MakeSongEntry("C:\\A", "two.mp3", 2)}, 1);
    EXPECT_EQ(ShownFile(TActiveControl::SongList, list, {}), "C:\\A\\two.mp3");
    list.SetSelected(0, true);
    EXPECT_EQ(ShownFile(TActiveControl::SongList, list, {}), "C:\\A\\one.mp3");
    EXPECT_EQ(ShownFile(TActiveControl::FileList, list, "C:\\B\\x.mp3"), "C:\\B\\x.mp3");
    EXPECT_EQ(ShownFile(TActiveControl::Other, list, "C:\\B\\x.mp3"), std::nullopt);
    EXPECT_EQ(ShownFile(TActiveControl::SongList, TSongList{}, {}), std::nullopt);
}

TEST(ButtonSize, OnlyWholeNumbersFrom25To35) {
    EXPECT_EQ(ButtonSizeAnswer("25"), 25);
    EXPECT_EQ(ButtonSizeAnswer(" 35 "), 35);
    for (const char* refused : {"24", "36", "", "thirty", "30px", "-30"}) {
        EXPECT_EQ(ButtonSizeAnswer(refused), std::nullopt) << refused;
    }
}

TEST(SortState, SettingsAndListAgree) {
    TViewState view;
    view.sortItem = TSortItem::ByPath;
    view.reverseOrder = true;
    view.sortAlways = false;
    const TSortState sort = SortStateOf(view);
    EXPECT_EQ(sort, (TSortState{TSortKey::ByPath, false, true}));
    TViewState back;
    StoreSortState(back, sort);
    EXPECT_EQ(back, view);
}

TEST(CommandTable, ListModelNamesReachTheirCommands) {
    for (std::string_view name : TListCommands::AllNames()) {
        EXPECT_NE(CommandOfControl(name), 0) << name;
    }
    EXPECT_EQ(CommandOfControl("PlayListItem2"), IDM_PLAYLIST);
    EXPECT_EQ(CommandOfControl("DelAllBtn"), IDM_REMOVEALL);
    EXPECT_EQ(CommandOfControl("Nonsense"), 0);
    EXPECT_EQ(HintOfCommand(IDM_EXIT), "Exit Orvane Manager...");
    EXPECT_EQ(HintOfCommand(IDM_SORTALWAYS), "Automatic sort when data update...");
    EXPECT_EQ(HintOfCommand(IDM_REVERSE), "");
}

TEST(LeaveQuestion, NamesTheProgram) {
    EXPECT_EQ(LeaveQuestion(), "Are you sure leaving Orvane Manager 1.0 Beta2 ??");
}

TEST(YearBox, LeavingAndSavingFollowWhatTheUserTyped) {
    struct Case {
        const char* name;
        bool touched;
        const char* text;
        std::optional<TYearCheck> onExit;
        bool blocksSave;
    };
    const Case cases[] = {
        {"untouched empty year", false, "", std::nullopt, false},
        {"untouched year of the file", false, "1850", std::nullopt, false},
        {"typed year in range", true, "1999", TYearCheck::Accepted, false},
        {"typed year too early", true, "1850", TYearCheck::Rejected, true},
        {"typed year to come", true, "2101", TYearCheck::Rejected, true},
        {"typed text", true, "abc", TYearCheck::ReplacedByCurrentYear, false},
        {"emptied by the user", true, "", TYearCheck::ReplacedByCurrentYear, false},
    };
    for (const Case& c : cases) {
        const std::optional<TYearResult> exit = YearOnExit(c.touched, c.text, 2024);
        ASSERT_EQ(exit.has_value(), c.onExit.has_value()) << c.name;
        if (exit) {
            EXPECT_EQ(exit->check, *c.onExit) << c.name;
        }
        EXPECT_EQ(YearBlocksSave(c.touched, c.text, 2024), c.blocksSave) << c.name;
    }
}

TEST(EditingKeys, StayWithTheEditBoxAndGoToTheTagElsewhere) {
    struct Case {
        const char* name;
        bool inEdit;
        bool control;
        bool alt;
        unsigned key;
        bool kept;
    };
    const Case cases[] = {
        {"Ctrl+C in a box", true, true, false, 'C', true},
        {"Ctrl+X in a box", true, true, false, 'X', true},
        {"Ctrl+V in a box", true, true, false, 'V', true},
        {"Ctrl+Z in a box", true, true, false, 'Z', true},
        {"Ctrl+S in a box saves the tag", true, true, false, 'S', false},
        {"Ctrl+N in a box", true, true, false, 'N', false},
        {"Ctrl+C in the song list", false, true, false, 'C', false},
        {"Ctrl+Alt+C in a box", true, true, true, 'C', false},
        {"plain C in a box", true, false, false, 'C', false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(EditBoxKeepsKey(c.inEdit, c.control, c.alt, c.key), c.kept) << c.name;
}

}  // namespace
}  // namespace orvane
