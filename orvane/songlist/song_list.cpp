#include "song_list.h"

#include "play_time.h"
#include "song_file.h"

#include <algorithm>
#include <filesystem>

#include <numeric>
#include <system_error>
#include <unordered_set>
#include "system_path.h"

namespace orvane {
namespace {

// Folder and caption of an entry, for the duplicate check.
struct TEntryKey {
    std::string_view folder;
    std::string_view caption;
    bool operator==(const TEntryKey&) const = default;
};

struct TEntryKeyHash {
    std::size_t operator()(const TEntryKey& key) const
    {
        const std::size_t folder = std::hash<std::string_view>()(key.folder);
        return folder ^ (std::hash<std::string_view>()(key.caption) + 0x9E3779B97F4A7C15ULL + (folder << 6) + (folder >> 2));
    }
};

struct TSortItem {
    std::uint64_t prefix = 0;
    std::int64_t number = 0;
    std::uint32_t index = 0;
    bool hasNumber = false;
};

// The first eight bytes as CompareLocaleText sees them (letters folded),
// big-endian and zero-padded: when two prefixes differ they order the texts
// as CompareLocaleText does.
std::uint64_t FoldedPrefix(std::string_view text)
{
    std::uint64_t prefix = 0;
    for (std::size_t i = 0; i < 8; ++i) {
        unsigned char c = i < text.size() ? static_cast<unsigned char>(text[i]) : 0;
        if (c >= 'A' && c <= 'Z') c = static_cast<unsigned char>(c - 'A' + 'a');
        prefix = (prefix << 8) | c;
    }
    return prefix;
}

bool InRange(int index, std::size_t count) { return index >= 0 && static_cast<std::size_t>(index) < count; }

}  // namespace

TPlayTimeReader SongFilePlayTime()
{
    return [](const std::string& fullName) { return ReadMpegInfo(fullName, nullptr); };
}

TFileExists SongFileExists()
{
    return [](const std::string& fullName) {
        std::error_code error;
        return std::filesystem::exists(SystemPath(fullName), error);
    };
}

std::string EntryFolder(std::string_view folder)
{
    std::string result(folder);
    if (result.empty() || result.back() != '\\') result.push_back('\\');
    return result;
}

TSongEntry MakeSongEntry(std::string_view folder, std::string_view fileName, std::int32_t seconds)
{
    TSongEntry entry;
    entry.caption = std::string(fileName);
    entry.timeText = FormatPlayTime(seconds);
    entry.folder = EntryFolder(folder);
    entry.secondsText = std::to_string(seconds);
    entry.stateImage = kNoStateImage;
    return entry;
}

int FindSongEntry(std::span<const TSongEntry> entries, std::string_view fileName, std::string_view folder)
{
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].caption == fileName && entries[i].folder == folder) return static_cast<int>(i);
    }
    return -1;
}

TSongList::TSongList(TSongListOptions options, TTextCompare compareText, TTextSortKey sortKey)
    : options_(options), compareText_(compareText != nullptr ? compareText : CompareLocaleText), sortKey_(sortKey)
{
}

bool TSongList::IsSelected(int index) const
{
    return InRange(index, selected_.size()) && selected_[static_cast<std::size_t>(index)] != 0;
}

void TSongList::SetSelected(int index, bool selected)
{
    if (InRange(index, selected_.size())) selected_[static_cast<std::size_t>(index)] = selected ? 1 : 0;
}

int TSongList::SelectedCount() const
{
    return static_cast<int>(std::count(selected_.begin(), selected_.end(), std::uint8_t{1}));
}

int TSongList::FirstSelected() const
{
    const auto found = std::find(selected_.begin(), selected_.end(), std::uint8_t{1});
    return found == selected_.end() ? -1 : static_cast<int>(found - selected_.begin());
}

void TSongList::SetFocusIndex(int index) { focusIndex_ = InRange(index, entries_.size()) ? index : -1; }

void TSongList::SetCurrentIndex(int index) { currentIndex_ = InRange(index, entries_.size()) ? index : -1; }

void TSongList::Assign(std::vector<TSongEntry> entries, int currentIndex)
{
    entries_ = std::move(entries);
    selected_.assign(entries_.size(), 0);
    focusIndex_ = -1;
    SetCurrentIndex(currentIndex);
}

int TSongList::AssignSet(std::vector<TSongEntry> entries, int currentIndex) {
    Assign(std::move(entries), currentIndex);
    UpdateListCommands();
    // The sort moved the now-playing entry with CurrentIndex; "first" means after the sort.
    const int select = currentIndex_ >= 0 ? currentIndex_ : (entries_.empty() ? -1 : 0);
    if (select >= 0) {
        SetSelected(select, true);
        SetFocusIndex(select);
    }
    return select;
}

int TSongList::Add(std::string_view folder, std::span<const std::string> fileNames, const TPlayTimeReader& readPlayTime)
{
    const std::string entryFolder = EntryFolder(folder);
    // Reserved first, so the views in known stay valid while entries are
    // appended; growing geometrically keeps one-by-one adding linear.
    const std::size_t needed = entries_.size() + fileNames.size();
    if (needed > entries_.capacity()) entries_.reserve(std::max(needed, entries_.capacity() * 2));
    // A few files are looked up directly; more get a key set, so a large
    // Add all stays linear.
    const bool checkDuplicates = !options_.allowDuplicated;
    const bool useKeySet = checkDuplicates && fileNames.size() > 8;
    std::unordered_set<TEntryKey, TEntryKeyHash> known;
    if (useKeySet) {
        known.reserve(needed);
        for (const TSongEntry& entry : entries_) known.insert({entry.folder, entry.caption});
    }
    int added = 0;
    for (const std::string& name : fileNames) {
        if (useKeySet && known.contains({entryFolder, name})) continue;
        if (checkDuplicates && !useKeySet && FindSongEntry(entries_, name, entryFolder) >= 0) continue;
        const std::int32_t seconds = readPlayTime ? readPlayTime(entryFolder + name) : 0;
        entries_.push_back(MakeSongEntry(entryFolder, name, seconds));
        selected_.push_back(0);
        if (useKeySet) known.insert({entries_.back().folder, entries_.back().caption});
        ++added;
    }
    UpdateListCommands();
    return added;
}

void TSongList::RemoveRows(const std::vector<std::uint8_t>& doomed)
{
    int removedBeforeCurrent = 0;
    int removedBeforeFocus = 0;
    std::size_t kept = 0;
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        const int position = static_cast<int>(i);
        if (doomed[i] != 0) {
            if (position < currentIndex_) ++removedBeforeCurrent;
            if (position == currentIndex_) currentIndex_ = -1;
            if (position < focusIndex_) ++removedBeforeFocus;
            if (position == focusIndex_) focusIndex_ = -1;
            continue;
        }
        if (kept != i) {
            entries_[kept] = std::move(entries_[i]);
            selected_[kept] = selected_[i];
        }
        ++kept;
    }
    entries_.resize(kept);
    selected_.resize(kept);
    if (currentIndex_ >= 0) currentIndex_ -= removedBeforeCurrent;
    if (focusIndex_ >= 0) focusIndex_ -= removedBeforeFocus;
}

void TSongList::RemoveSelected()
{
    RemoveRows(selected_);
    UpdateListCommands();
}

void TSongList::RemoveAll()
{
    entries_.clear();
    selected_.clear();
    focusIndex_ = -1;
    currentIndex_ = -1;
    UpdateListCommands();
}

void TSongList::SwapRows(std::size_t a, std::size_t b)
{
    std::swap(entries_[a], entries_[b]);
    std::swap(selected_[a], selected_[b]);
    const int ia = static_cast<int>(a);
    const int ib = static_cast<int>(b);
    for (int* position : {&currentIndex_, &focusIndex_}) {
        if (*position == ia) {
            *position = ib;
        } else if (*position == ib) {
            *position = ia;
        }
    }
}

void TSongList::MoveUp()
{
    for (std::size_t i = 1; i < entries_.size(); ++i) {
        if (selected_[i] != 0 && selected_[i - 1] == 0) SwapRows(i - 1, i);
    }
}

void TSongList::MoveDown()
{
    for (std::size_t i = entries_.size(); i-- > 1;) {
        if (selected_[i - 1] != 0 && selected_[i] == 0) SwapRows(i - 1, i);
    }
}

void TSongList::Reorder(const std::vector<std::size_t>& order, bool keepSelection)
{
    std::vector<TSongEntry> entries;
    entries.reserve(entries_.capacity());
    std::vector<std::uint8_t> selected(entries_.size(), 0);
    std::vector<int> newPosition(entries_.size());
    for (std::size_t k = 0; k < order.size(); ++k) {
        entries.push_back(std::move(entries_[order[k]]));
        if (keepSelection) selected[k] = selected_[order[k]];
        newPosition[order[k]] = static_cast<int>(k);
    }
    entries_ = std::move(entries);
    selected_ = std::move(selected);
    if (currentIndex_ >= 0) currentIndex_ = newPosition[static_cast<std::size_t>(currentIndex_)];
    if (focusIndex_ >= 0) focusIndex_ = newPosition[static_cast<std::size_t>(focusIndex_)];
}

void TSongList::SortBy(TSortKey key)
{
    if (key == TSortKey::NoSort || entries_.size() < 2) return;
    const bool reverse = sort_.reverseOrder;
    std::vector<TSortItem> items(entries_.size());
    const bool byTime = key == TSortKey::ByTime;
    // The folded first bytes decide most comparisons without touching the
    // entries; that holds only for the built-in text comparison.
    const bool usePrefix = !byTime && compareText_ == CompareLocaleText;
    // The system's comparison is one call per comparison; its keys are made once per entry.
    const bool useKeys = !byTime && !usePrefix && sortKey_ != nullptr;
    std::vector<const std::string*> keys(useKeys ? entries_.size() : 0);
    if (sortKeys_.size() > 2 * entries_.size() + 1024) sortKeys_.clear();  // texts long gone
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const std::string& text =
            key == TSortKey::ByPath ? entries_[i].folder : entries_[i].caption;
        auto [known, added] = sortKeys_.try_emplace(text);
        if (added) known->second = sortKey_(text);
        keys[i] = &known->second;
    }
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        TSortItem& item = items[i];
        item.index = static_cast<std::uint32_t>(i);
        if (byTime) {
            const auto seconds = ParseSeconds(entries_[i].secondsText);
            item.hasNumber = seconds.has_value();
            item.number = seconds.value_or(0);
        } else if (usePrefix) {
            item.prefix = FoldedPrefix(key == TSortKey::ByPath ? entries_[i].folder : entries_[i].caption);
        }
    }
    const std::uint32_t parameter = SortParameter(key, reverse);
    const auto before = [&](const TSortItem& a, const TSortItem& b) {
        int result = 0;
        if (byTime) {
            if (a.hasNumber && b.hasNumber) {
                result = (a.number > b.number) - (a.number < b.number);
            } else {
                result = (a.hasNumber ? 0 : 1) - (b.hasNumber ? 0 : 1);
            }
            return (reverse ? -result : result) < 0;
        }
        if (useKeys) {
            const int compared = keys[a.index]->compare(*keys[b.index]);
            result = (compared > 0) - (compared < 0);
            return (reverse ? -result : result) < 0;
        }
        if (usePrefix && a.prefix != b.prefix) return (a.prefix < b.prefix) != reverse;
        return CompareSongEntries(entries_[a.index], entries_[b.index], parameter, compareText_) < 0;
    };
    // A list sorted again unchanged, or after an Add at its end, is in order up to some row:
    // only the rest is sorted and merged in. The order is the one a stable sort of the whole
    // gives, with far fewer comparisons (each one a system call on Windows).
    std::size_t ordered = 1;
    while (ordered < items.size() && !before(items[ordered], items[ordered - 1])) ++ordered;
    const auto middle = items.begin() + static_cast<std::ptrdiff_t>(ordered);
    std::stable_sort(middle, items.end(), before);
    std::inplace_merge(items.begin(), middle, items.end(), before);
    std::vector<std::size_t> order(items.size());
    bool unchanged = true;
    for (std::size_t k = 0; k < items.size(); ++k) {
        order[k] = items[k].index;
        unchanged = unchanged && order[k] == k;
    }
    if (!unchanged) Reorder(order, true);
}

TListCommands TSongList::ChooseSortItem(TSortKey key)
{
    sort_.key = key;
    if (key != TSortKey::NoSort) {
        SortBy(key);
        UpdateListCommands();
    }
    TListCommands commands = ListCommands();
    std::erase_if(commands.enabled, [](std::string_view name) { return name == "UpBtn" || name == "DownBtn"; });
    if (key == TSortKey::NoSort) {
        commands.enabled.push_back("UpBtn");
        commands.enabled.push_back("DownBtn");
    }
    return commands;
}

void TSongList::ColumnClick(int column)
{
    if (column < 0 || column > 2) return;
    sort_.key = static_cast<TSortKey>(column);
    SortBy(sort_.key);
}

void TSongList::ToggleReverseOrder()
{
    sort_.reverseOrder = !sort_.reverseOrder;
    SortBy(sort_.key);
    UpdateListCommands();
}

void TSongList::ToggleSortAlways()
{
    sort_.sortAlways = !sort_.sortAlways;
    if (sort_.sortAlways) UpdateListCommands();
}

void TSongList::Randomize(TRandomSource& random)
{
    sort_.key = TSortKey::NoSort;
    const std::size_t count = entries_.size();
    if (count < 2) return;
    std::vector<std::size_t> order(count);
    std::iota(order.begin(), order.end(), std::size_t{0});
    for (std::size_t i = count - 1; i > 0; --i) {
        const std::size_t j = random.Below(static_cast<std::uint32_t>(i + 1));
        std::swap(order[i], order[std::min(j, i)]);
    }
    Reorder(order, false);
}

bool TSongList::CanDragWithin() const
{
    return sort_.key == TSortKey::NoSort && FirstSelected() >= 0;
}

bool TSongList::DragWithin(int target)
{
    if (!CanDragWithin() || !InRange(target, entries_.size())) return false;
    const auto source = static_cast<std::size_t>(FirstSelected());
    const auto destination = static_cast<std::size_t>(target);
    if (source == destination) return false;
    std::vector<std::size_t> order(entries_.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    if (destination < source) {
        std::rotate(order.begin() + static_cast<std::ptrdiff_t>(destination),
                    order.begin() + static_cast<std::ptrdiff_t>(source),
                    order.begin() + static_cast<std::ptrdiff_t>(source) + 1);
    } else {
        std::rotate(order.begin() + static_cast<std::ptrdiff_t>(source),
                    order.begin() + static_cast<std::ptrdiff_t>(source) + 1,
                    order.begin() + static_cast<std::ptrdiff_t>(destination) + 1);
    }
    Reorder(order, true);
    // The moved entry is a new copy: it does not carry the selection.
    selected_[destination] = 0;
    return true;
}

void TSongList::SelectAll() { std::fill(selected_.begin(), selected_.end(), std::uint8_t{1}); }

void TSongList::ClearSelection() { std::fill(selected_.begin(), selected_.end(), std::uint8_t{0}); }

void TSongList::InvertSelection()
{
    for (std::uint8_t& selected : selected_) selected = selected != 0 ? 0 : 1;
}

int TSongList::Check(const TFileExists& exists)
{
    std::vector<std::uint8_t> missing(entries_.size(), 0);
    int count = 0;
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (!exists(entries_[i].FullName())) {
            missing[i] = 1;
            ++count;
        }
    }
    if (count > 0) RemoveRows(missing);
    return count;
}

void TSongList::CleanUsageFlag()
{
    for (TSongEntry& entry : entries_) {
        if (entry.usedFlag == "1" && entry.stateImage != kNowPlayingImage) {
            entry.usedFlag = "0";
            entry.stateImage = kNoStateImage;
        }
    }
}

void TSongList::ApplyShowUsedIcon()
{
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (static_cast<int>(i) == currentIndex_ || entries_[i].usedFlag != "1") continue;
        entries_[i].stateImage = options_.showUsedIcon ? kUsedImage : kNoStateImage;
    }
}

TListCommands TSongList::UpdateListCommands()
{
    if (sort_.sortAlways) SortBy(sort_.key);
    return ListCommands();
}

TListCommands TSongList::ListCommands() const
{
    return ListCommandsFor(!entries_.empty(), FirstSelected() >= 0, sort_.key == TSortKey::NoSort);
}

TListTotals TSongList::Totals() const
{
    TListTotals totals;
    totals.count = Count();
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        const std::int64_t seconds = ParseSeconds(entries_[i].secondsText).value_or(0);
        totals.listSeconds += seconds;
        if (selected_[i] != 0) {
            totals.selectedSeconds += seconds;
            if (totals.selectedCount++ == 0) totals.firstSelected = static_cast<int>(i);
        }
    }
    return totals;
}

}  // namespace orvane
