#include "song_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

namespace orvane {
namespace {

// Play times by file name; anything else plays 0 seconds.
TPlayTimeReader Times(std::map<std::string, std::int32_t> seconds)
{
    return [seconds](const std::string& fullName) {
        const std::string name = fullName.substr(fullName.rfind('\\') + 1);
        const auto found = seconds.find(name);
        return found == seconds.end() ? 0 : found->second;
    };
}

std::vector<std::string> Captions(const TSongList& list)
{
    std::vector<std::string> captions;
    for (const TSongEntry& entry : list.Entries()) captions.push_back(entry.caption);
    return captions;
}

std::vector<int> Selected(const TSongList& list)
{
    std::vector<int> indexes;
    for (int i = 0; i < list.Count(); ++i) {
        if (list.IsSelected(i)) indexes.push_back(i);
    }
    return indexes;
}

// A list of a, b, c, ... in that order, not sorted.
TSongList Unsorted(int count)
{
    TSongList list;
    list.SetSortState({TSortKey::NoSort, false, false});
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i) names.push_back(std::string(1, static_cast<char>('a' + i)));
    list.Add("C:\\Music", names, Times({}));
    return list;
}

class TFixedRandom final : public TRandomSource {
public:
    explicit TFixedRandom(std::vector<std::uint32_t> values) : values_(std::move(values)) {}
    std::uint32_t Below(std::uint32_t bound) override { return values_[next_++ % values_.size()] % bound; }

private:
    std::vector<std::uint32_t> values_;
    std::size_t next_ = 0;
};

int comparisons = 0;

// Texts ordered by their bytes from the end, the longer first; the key gives the same order.
int BackwardsCompare(std::string_view a, std::string_view b)
{
    ++comparisons;
    const std::string x = std::string(1, static_cast<char>(100 - a.size())) + std::string(a.rbegin(), a.rend());
    const std::string y = std::string(1, static_cast<char>(100 - b.size())) + std::string(b.rbegin(), b.rend());
    return x.compare(y);
}

int keysMade = 0;

std::string BackwardsKey(std::string_view text)
{
    ++keysMade;
    return std::string(1, static_cast<char>(100 - text.size())) + std::string(text.rbegin(), text.rend());
}

// A sort gives a stable sort's order whether texts or their keys are compared; a list in order,
// or with new entries at its end, compares about once per entry, and keys compare no texts.
TEST(SongListSort, OnlyTheRowsOutOfOrderAreComparedAndKeysGiveTheSameOrder)
{
    TSongList compared({true, true}, BackwardsCompare);
    TSongList keyed({true, true}, BackwardsCompare, BackwardsKey);
    std::vector<std::string> names;
    for (int i = 0; i < 2000; ++i) names.push_back("Song " + std::to_string((i * 7919) % 2000) + ".mp3");
    keysMade = 0;
    for (const auto& added : {names, {}, {"Song 5.mp3", "b.mp3", "A.mp3"}}) {
        comparisons = 0;
        compared.Add("C:\\Music", added, Times({}));
        if (compared.Count() > static_cast<int>(added.size())) {
            EXPECT_LT(comparisons, 2 * compared.Count());
        }
        comparisons = 0;
        keyed.Add("C:\\Music", added, Times({}));
        EXPECT_EQ(comparisons, 0);
        EXPECT_EQ(Captions(keyed), Captions(compared));
    }
    EXPECT_EQ(keysMade, 2002);  // once per text over the three sorts ("Song 5.mp3" twice)
    std::vector<std::string> expected = Captions(compared);
    std::stable_sort(expected.begin(), expected.end(),
                     [](const std::string& a, const std::string& b) { return BackwardsKey(a) < BackwardsKey(b); });
    EXPECT_EQ(Captions(compared), expected);
}

TEST(SongListAdd, MakesEntriesFromFolderAndPlayTime)
{
    TSongList list;
    const std::vector<std::string> names = {"song.mp3"};
    EXPECT_EQ(list.Add("C:\\Music", names, Times({{"song.mp3", 245}})), 1);
    const TSongEntry& entry = list.Entry(0);
    EXPECT_EQ(entry.caption, "song.mp3");
    EXPECT_EQ(entry.folder, "C:\\Music\\");
    EXPECT_EQ(entry.FullName(), "C:\\Music\\song.mp3");
    EXPECT_EQ(entry.timeText, " 4 mins  5 secs");
    EXPECT_EQ(entry.secondsText, "245");
    EXPECT_EQ(entry.usedFlag, "0");
    EXPECT_EQ(entry.stateImage, kNoStateImage);
    EXPECT_EQ(EntryFolder("D:\\"), "D:\\");
}

TEST(SongListAdd, DuplicatesOnlyWhenAllowed)
{
    const std::vector<std::string> names = {"a.mp3", "a.mp3"};
    TSongList list;
    list.Add("C:\\M", names, Times({}));
    list.Add("C:\\M\\", names, Times({}));
    EXPECT_EQ(list.Count(), 1);
    list.Add("C:\\m", names, Times({}));  // another folder (case counts)
    EXPECT_EQ(list.Count(), 2);

    TSongList allowing({true, true});
    allowing.Add("C:\\M", names, Times({}));
    EXPECT_EQ(allowing.Count(), 2);
    EXPECT_EQ(FindSongEntry(allowing.Entries(), "a.mp3", "C:\\M\\"), 0);
    EXPECT_EQ(FindSongEntry(allowing.Entries(), "A.mp3", "C:\\M\\"), -1);
}

TEST(SongListAdd, LargeAddSkipsDuplicatesToo)
{
    // Enough files to take the key-set path: repeats within the batch and
    // entries already listed are both skipped.
    std::vector<std::string> names;
    for (int i = 0; i < 30; ++i) names.push_back(std::to_string(i % 20) + ".mp3");
    TSongList list;
    list.SetSortState({TSortKey::NoSort, false, false});
    const std::vector<std::string> first = {"3.mp3"};
    list.Add("C:\\M", first, Times({}));
    EXPECT_EQ(list.Add("C:\\M", names, Times({})), 19);
    EXPECT_EQ(list.Count(), 20);
    EXPECT_EQ(list.Add("C:\\N", names, Times({})), 20);
}

TEST(SongListAdd, SortAlwaysKeepsTimeOrderAndReverseTurnsIt)
{
    TSongList list;
    list.SetSortState({TSortKey::ByTime, true, false});
    const std::vector<std::string> first = {"long", "short"};
    const std::vector<std::string> second = {"middle"};
    const auto times = Times({{"long", 300}, {"short", 30}, {"middle", 120}});
    list.Add("C:\\", first, times);
    list.Add("C:\\", second, times);
    EXPECT_EQ(Captions(list), (std::vector<std::string>{"short", "middle", "long"}));
    list.ToggleReverseOrder();
    EXPECT_EQ(Captions(list), (std::vector<std::string>{"long", "middle", "short"}));
}

TEST(SongListAdd, UnreadableFileIsStillAdded)
{
    TSongList list;
    const std::vector<std::string> names = {"missing.mp3"};
    list.Add("C:\\Nowhere", names, SongFilePlayTime());
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Entry(0).secondsText, "0");
}

TEST(SongListRemove, AdjustsTheCurrentIndex)
{
    struct { const char* name; std::vector<int> remove; int current; int after; } cases[] = {
        {"below_lowers_it", {1}, 3, 2},
        {"two_below", {0, 2}, 3, 1},
        {"the_current_clears_it", {3}, 3, -1},
        {"above_keeps_it", {4}, 3, 3},
    };
    for (const auto& c : cases) {
        TSongList list = Unsorted(5);
        list.SetCurrentIndex(c.current);
        for (int index : c.remove) list.SetSelected(index, true);
        list.RemoveSelected();
        EXPECT_EQ(list.CurrentIndex(), c.after) << c.name;
        EXPECT_EQ(list.Count(), 5 - static_cast<int>(c.remove.size())) << c.name;
        EXPECT_TRUE(Selected(list).empty()) << c.name;
    }
}

TEST(SongListRemove, AdjacentSelectedEntriesAllGo)
{
    TSongList list = Unsorted(6);
    for (int index : {1, 2, 3, 5}) list.SetSelected(index, true);
    list.RemoveSelected();
    EXPECT_EQ(Captions(list), (std::vector<std::string>{"a", "e"}));
    list.RemoveAll();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.CurrentIndex(), -1);
}

TEST(SongListMove, SelectedBlockMovesUpAsABlock)
{
    TSongList list = Unsorted(4);
    list.SetSelected(1, true);
    list.SetSelected(2, true);
    list.MoveUp();
    EXPECT_EQ(Captions(list), (std::vector<std::string>{"b", "c", "a", "d"}));
    EXPECT_EQ(Selected(list), (std::vector<int>{0, 1}));
    list.MoveUp();  // at the edge now: stays
    EXPECT_EQ(Captions(list), (std::vector<std::string>{"b", "c", "a", "d"}));
    list.MoveDown();
    list.MoveDown();
    list.MoveDown();
    EXPECT_EQ(Captions(list), (std::vector<std::string>{"a", "d", "b", "c"}));
    EXPECT_EQ(Selected(list), (std::vector<int>{2, 3}));
}

TEST(SongListMove, SeparateSelectionsMoveEach)
{
    TSongList list = Unsorted(5);
    list.SetSelected(0, true);
    list.SetSelected(2, true);
    list.SetSelected(4, true);
    list.MoveUp();
    EXPECT_EQ(Captions(list), (std::vector<std::string>{"a", "c", "b", "e", "d"}));
    list.MoveDown();  // the block a-c and e each go down one
    EXPECT_EQ(Captions(list), (std::vector<std::string>{"b", "a", "c", "d", "e"}));
}

TEST(SongListMove, CurrentIndexFollowsTheNowPlayingEntry)
{
    TSongList list = Unsorted(4);
    list.SetCurrentIndex(1);  // "b" plays and is moved up
    list.SetSelected(1, true);
    list.MoveUp();
    EXPECT_EQ(list.CurrentIndex(), 0);
    list.ClearSelection();
    list.SetSelected(2, true);  // "c" moves up
    list.SetCurrentIndex(1);    // past the now-playing "a", which goes down
    list.MoveUp();
    EXPECT_EQ(list.Entry(list.CurrentIndex()).caption, "a");
    EXPECT_EQ(list.CurrentIndex(), 2);
}

TEST(SongListSort, ByEachKeyKeepsSelectionAndCurrent)
{
    TSongList list = Unsorted(0);
    const std::vector<std::string> names = {"b.mp3", "C.mp3", "a.mp3"};
    list.Add("D:\\x", std::span(names).first(1), Times({{"b.mp3", 50}}));
    list.Add("C:\\y", std::span(names).subspan(1, 1), Times({{"C.mp3", 10}}));
    list.Add("E:\\z", std::span(names).subspan(2, 1), Times({{"a.mp3", 99}}));
    list.SetSelected(1, true);  // C
    list.SetCurrentIndex(2);    // a
    list.ChooseSortItem(TSortKey::ByFilename);
    EXPECT_EQ(Captions(list), (std::vector<std::string>{"a.mp3", "b.mp3", "C.mp3"}));
    EXPECT_EQ(Selected(list), (std::vector<int>{2}));
    EXPECT_EQ(list.CurrentIndex(), 0);
    list.ChooseSortItem(TSortKey::ByTime);
    EXPECT_EQ(Captions(list), (std::vector<std::string>{"C.mp3", "b.mp3", "a.mp3"}));
    list.ColumnClick(2);
    EXPECT_EQ(Captions(list), (std::vector<std::string>{"C.mp3", "b.mp3", "a.mp3"}));
    EXPECT_EQ(list.SortState().key, TSortKey::ByPath);
    list.ColumnClick(0);
    EXPECT_EQ(Captions(list).front(), "a.mp3");
}

TEST(SongListSort, NoSortLeavesTheOrderAndEnablesUpAndDown)
{
    TSongList list = Unsorted(3);
    list.SetSortState({TSortKey::ByFilename, true, true});
    list.UpdateListCommands();
    EXPECT_EQ(Captions(list), (std::vector<std::string>{"c", "b", "a"}));
    const TListCommands commands = list.ChooseSortItem(TSortKey::NoSort);
    EXPECT_EQ(Captions(list), (std::vector<std::string>{"c", "b", "a"}));
    EXPECT_TRUE(commands.IsEnabled("UpBtn"));
    EXPECT_TRUE(commands.IsEnabled("DownBtn"));
    EXPECT_FALSE(list.ChooseSortItem(TSortKey::ByPath).IsEnabled("UpBtn"));
}

TEST(SongListSort, EntriesWithoutANumberGoLastAndReverseMirrors)
{
    TSongList list = Unsorted(4);
    list.MutableEntry(0).secondsText = "x";
    list.MutableEntry(1).secondsText = "30";
    list.MutableEntry(2).secondsText = "";
    list.MutableEntry(3).secondsText = "10";
    list.ChooseSortItem(TSortKey::ByTime);
    EXPECT_EQ(Captions(list), (std::vector<std::string>{"d", "b", "a", "c"}));
    list.ToggleReverseOrder();
    EXPECT_EQ(Captions(list), (std::vector<std::string>{"a", "c", "b", "d"}));
}

TEST(SongListSort, SortAlwaysToggle)
{
    TSongList list = Unsorted(3);
    list.SetSortState({TSortKey::ByFilename, false, true});
    list.ToggleSortAlways();  // on: sorts
    EXPECT_EQ(Captions(list), (std::vector<std::string>{"c", "b", "a"}));
    list.ToggleSortAlways();  // off
    EXPECT_FALSE(list.SortState().sortAlways);
}

TEST(SongListRandomize, EveryEntryStaysOnceAndNoSortIsChecked)
{
    TSongList list = Unsorted(8);
    list.SetSortState({TSortKey::ByFilename, true, false});
    list.SetSelected(3, true);
    list.SetCurrentIndex(5);
    TFixedRandom random({3, 1, 4, 1, 5, 9, 2, 6});
    list.Randomize(random);
    EXPECT_EQ(list.SortState().key, TSortKey::NoSort);
    auto captions = Captions(list);
    EXPECT_NE(captions, Captions(Unsorted(8)));
    std::sort(captions.begin(), captions.end());
    EXPECT_EQ(captions, Captions(Unsorted(8)));
    EXPECT_TRUE(Selected(list).empty());
    EXPECT_EQ(list.Entry(list.CurrentIndex()).caption, "f");
}

TEST(SongListRandomize, SameSequenceSameOrderAndOneEntryStays)
{
    TSongList first = Unsorted(6);
    TSongList second = Unsorted(6);
    TFixedRandom a({7, 2, 9}), b({7, 2, 9});
    first.Randomize(a);
    second.Randomize(b);
    EXPECT_EQ(Captions(first), Captions(second));

    TSongList single = Unsorted(1);
    single.SetSelected(0, true);
    TClockRandomSource clock;
    single.Randomize(clock);
    EXPECT_EQ(Captions(single), (std::vector<std::string>{"a"}));
}

TEST(SongListRandomize, EveryPositionIsReachable)
{
    // Fisher-Yates with a real generator: each entry ends up first sometimes.
    std::set<std::string> firsts;
    TClockRandomSource random(12345);
    for (int run = 0; run < 200; ++run) {
        TSongList list = Unsorted(5);
        list.Randomize(random);
        firsts.insert(list.Entry(0).caption);
    }
    EXPECT_EQ(firsts.size(), 5u);
}

TEST(SongListDrag, MovesTheFirstSelectedEntryToTheTarget)
{
    struct { const char* name; int source; int target; const char* order; int current; } cases[] = {
        {"up", 3, 1, "adbce", 3},
        {"down", 1, 3, "acdbe", 1},
        {"same_place", 2, 2, "abcde", 2},
        {"to_the_end", 0, 4, "bcdea", 1},
    };
    for (const auto& c : cases) {
        TSongList list = Unsorted(5);
        list.SetSelected(c.source, true);
        list.SetCurrentIndex(2);  // "c"
        list.DragWithin(c.target);
        std::string order;
        for (const auto& caption : Captions(list)) order += caption;
        EXPECT_EQ(order, c.order) << c.name;
        EXPECT_EQ(list.CurrentIndex(), c.current) << c.name;
        EXPECT_EQ(list.Entry(list.CurrentIndex()).caption, "c") << c.name;
    }
}

TEST(SongListDrag, RefusedWhileSortedOrWithoutSelection)
{
    TSongList list = Unsorted(3);
    EXPECT_FALSE(list.CanDragWithin());
    list.SetSelected(0, true);
    EXPECT_TRUE(list.CanDragWithin());
    EXPECT_FALSE(list.DragWithin(7));
    list.SetSortState({TSortKey::ByFilename, false, false});
    EXPECT_FALSE(list.DragWithin(2));
    EXPECT_EQ(Captions(list), (std::vector<std::string>{"a", "b", "c"}));
}

TEST(SongListSelection, AllNoneInvert)
{
    TSongList list = Unsorted(4);
    list.SetSelected(1, true);
    list.InvertSelection();
    EXPECT_EQ(Selected(list), (std::vector<int>{0, 2, 3}));
    list.SelectAll();
    EXPECT_EQ(list.SelectedCount(), 4);
    list.ClearSelection();
    EXPECT_EQ(list.FirstSelected(), -1);
}

TEST(SongListCheck, RemovesMissingFilesAndAdjustsCurrent)
{
    TSongList list = Unsorted(5);
    list.SetCurrentIndex(3);
    const auto exists = [](const std::string& name) { return name != "C:\\Music\\b" && name != "C:\\Music\\e"; };
    EXPECT_EQ(list.Check(exists), 2);
    EXPECT_EQ(Captions(list), (std::vector<std::string>{"a", "c", "d"}));
    EXPECT_EQ(list.CurrentIndex(), 2);
    EXPECT_EQ(list.Check([](const std::string&) { return true; }), 0);
}

TEST(SongListUsage, CleanKeepsTheNowPlayingEntry)
{
    TSongList list = Unsorted(3);
    for (int i = 0; i < 3; ++i) {
        list.MutableEntry(i).usedFlag = "1";
        list.MutableEntry(i).stateImage = kUsedImage;
    }
    list.MutableEntry(1).stateImage = kNowPlayingImage;
    list.CleanUsageFlag();
    EXPECT_EQ(list.Entry(0).usedFlag, "0");
    EXPECT_EQ(list.Entry(0).stateImage, kNoStateImage);
    EXPECT_EQ(list.Entry(1).usedFlag, "1");
    EXPECT_EQ(list.Entry(1).stateImage, kNowPlayingImage);
}

TEST(SongListUsage, ShowUsedIconOption)
{
    TSongList list = Unsorted(3);
    list.MutableEntry(0).usedFlag = "1";
    list.MutableEntry(2).usedFlag = "1";
    list.MutableEntry(2).stateImage = kNowPlayingImage;
    list.SetCurrentIndex(2);
    list.ApplyShowUsedIcon();
    EXPECT_EQ(list.Entry(0).stateImage, kUsedImage);
    EXPECT_EQ(list.Entry(1).stateImage, kNoStateImage);
    EXPECT_EQ(list.Entry(2).stateImage, kNowPlayingImage);
    list.SetOptions({false, false});
    list.ApplyShowUsedIcon();
    EXPECT_EQ(list.Entry(0).stateImage, kNoStateImage);
}

TEST(SongListCommands, FollowContentAndSelection)
{
    TSongList list;
    EXPECT_FALSE(list.UpdateListCommands().IsEnabled("PlayBtn"));
    list = Unsorted(2);
    EXPECT_TRUE(list.ListCommands().IsEnabled("PlayBtn"));
    EXPECT_FALSE(list.ListCommands().IsEnabled("DelBtn"));
    list.SetSelected(0, true);
    EXPECT_TRUE(list.ListCommands().IsEnabled("UpBtn"));
}

TEST(SongListTotals, SumsListAndSelection)
{
    TSongList list = Unsorted(0);
    const std::vector<std::string> names = {"a", "b", "c"};
    list.Add("C:\\", names, Times({{"a", 100}, {"b", 200}, {"c", 3725}}));
    list.MutableEntry(1).secondsText = "junk";
    list.SetSelected(2, true);
    const TListTotals totals = list.Totals();
    EXPECT_EQ(totals.listSeconds, 3825);
    EXPECT_EQ(totals.selectedSeconds, 3725);
    EXPECT_EQ(totals.selectedCount, 1);
    EXPECT_EQ(totals.firstSelected, 2);
    EXPECT_EQ(TotalSongLabel(totals, -1), "NO. 3/ 3,");
}

TEST(SongListAssign, ReplacesEntriesAndClampsTheCurrentIndex)
{
    TSongList list = Unsorted(3);
    list.SetSelected(0, true);
    list.Assign({MakeSongEntry("C:\\", "x", 5)}, 4);
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(list.CurrentIndex(), -1);
    EXPECT_EQ(list.SelectedCount(), 0);
    list.Assign({MakeSongEntry("C:\\", "x", 5)}, 0);
    EXPECT_EQ(list.CurrentIndex(), 0);
}

TEST(SongListAssignSet, SelectsTheMarkedEntryOrTheFirstAfterTheLoadingSort) {
    struct Case {
        const char* name;
        int currentIndex;
        const char* selected;
    };
    const Case cases[] = {{"now playing", 0, "c.mp3"}, {"none playing", -1, "a.mp3"}};
    for (const Case& c : cases) {
        TSongList list;  // sorted by file name, Sort Always
        const int at =
            list.AssignSet({MakeSongEntry("C:\\", "c.mp3", 1), MakeSongEntry("C:\\", "a.mp3", 2),
                            MakeSongEntry("C:\\", "b.mp3", 3)},
                           c.currentIndex);
        ASSERT_GE(at, 0) << c.name;
        EXPECT_EQ(list.Entry(at).caption, c.selected) << c.name;
        EXPECT_EQ(list.FirstSelected(), at) << c.name;
        EXPECT_EQ(list.SelectedCount(), 1) << c.name;
        EXPECT_EQ(list.FocusIndex(), at) << c.name;
    }
    TSongList empty;
    EXPECT_EQ(empty.AssignSet({}, -1), -1);
}

}  // namespace
}  // namespace orvane

namespace orvane {
namespace {

int ReverseOrdinal(std::string_view a, std::string_view b) { return b.compare(a); }

TEST(SongListSort, OrderAgreesWithTheComparisonForEveryNeighbour)
{
    // Long shared beginnings, case differences and short names side by side.
    const std::vector<std::string> stems = {"Track 0", "track 0", "Track 01", "Tr", "TRACK 1", "a", "A", "Zz", "",
                                            "Track 0001 x", "Track 0001 X", "Track 0001", "b\xE9", "b\xC9"};
    std::vector<std::string> names;
    for (const auto& stem : stems) {
        for (const char* suffix : {"", "a", "B", "9"}) names.push_back(stem + suffix);
    }
    for (bool reverse : {false, true}) {
        for (TSortKey key : {TSortKey::ByFilename, TSortKey::ByPath}) {
            TSongList list({true, true});
            list.SetSortState({TSortKey::NoSort, false, reverse});
            for (std::size_t i = 0; i < names.size(); ++i) {
                const std::vector<std::string> one = {names[i]};
                list.Add(key == TSortKey::ByPath ? names[names.size() - 1 - i] : "C:\\", one, Times({}));
            }
            list.ChooseSortItem(key);
            const std::uint32_t parameter = SortParameter(key, reverse);
            for (int i = 1; i < list.Count(); ++i) {
                EXPECT_LE(CompareSongEntries(list.Entry(i - 1), list.Entry(i), parameter), 0)
                    << list.Entry(i - 1).caption << " / " << list.Entry(i).caption << (reverse ? " reversed" : "");
            }
        }
    }
}

TEST(SongListSort, UsesTheGivenTextComparison)
{
    TSongList list({}, ReverseOrdinal);
    list.SetSortState({TSortKey::NoSort, false, false});
    const std::vector<std::string> names = {"a", "c", "b"};
    list.Add("C:\\", names, Times({}));
    list.ChooseSortItem(TSortKey::ByFilename);
    EXPECT_EQ(Captions(list), (std::vector<std::string>{"c", "b", "a"}));
}

}  // namespace
}  // namespace orvane
