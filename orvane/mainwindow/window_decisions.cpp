#include "window_decisions.h"

#include <charconv>

#include "setting_access.h"
#include "text_rules.h"

namespace orvane {

TStartPlan PlanStart(const SettingsStore& store) {
    TStartPlan plan;
    plan.showSplash = !ReadSetting(store, setting::DontSplashScreen);
    plan.startHidden =
        ReadSetting(store, setting::AppHide) || ReadSetting(store, setting::AutoHide);
    return plan;
}

std::string LeaveQuestion() {
    return "Are you sure leaving " + std::string(kApplicationTitle) + " ??";
}

TDoubleClickCommand DoubleClickCommand(TClickedList list, TDoubleClickAction option,
                                       bool songListHasSelection) {
    if (!songListHasSelection)
        return TDoubleClickCommand::Nothing;
    switch (option) {
        case TDoubleClickAction::AddRemove:
            return list == TClickedList::SongList ? TDoubleClickCommand::Remove
                                                  : TDoubleClickCommand::Add;
        case TDoubleClickAction::PlayListFromHere:
            return list == TClickedList::SongList ? TDoubleClickCommand::PlayListFromHere
                                                  : TDoubleClickCommand::Nothing;
        case TDoubleClickAction::Play:
            break;
    }
    return TDoubleClickCommand::Play;
}

std::optional<std::string> ShownFile(TActiveControl active, const TSongList& list,
                                     const std::optional<std::string>& fileListFocused) {
    if (active == TActiveControl::FileList)
        return fileListFocused;
    if (active != TActiveControl::SongList || list.Count() == 0)
        return std::nullopt;
    int index = list.FirstSelected();
    if (index < 0)
        index = list.CurrentIndex();
    if (index < 0 || index >= list.Count())
        return std::nullopt;
    return list.Entry(index).FullName();
}

std::string DeleteSetQuestion(std::string_view setName) {
    return "Delete the set \"" + std::string(setName) + "\" and its song list file ??";
}

std::optional<int> ButtonSizeAnswer(std::string_view answer) {
    const std::string text = TrimText(answer);
    int value = 0;
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    if (text.empty() || result.ec != std::errc() || result.ptr != end)
        return std::nullopt;
    if (value < kMinButtonSize || value > kMaxButtonSize)
        return std::nullopt;
    return value;
}

TSortState SortStateOf(const TViewState& view) {
    TSortState sort;
    sort.key = static_cast<TSortKey>(static_cast<int>(view.sortItem));
    sort.sortAlways = view.sortAlways;
    sort.reverseOrder = view.reverseOrder;
    return sort;
}

void StoreSortState(TViewState& view, const TSortState& sort) {
    view.sortItem = static_cast<TSortItem>(static_cast<int>(sort.key));
    view.sortAlways = sort.sortAlways;
    view.reverseOrder = sort.reverseOrder;
}

std::optional<TYearResult> YearOnExit(bool touched, std::string_view text, int currentYear) {
    if (!touched)
        return std::nullopt;
    return CheckYear(text, currentYear);
}

bool YearBlocksSave(bool touched, std::string_view text, int currentYear) {
    return touched && CheckYear(text, currentYear).check == TYearCheck::Rejected;
}

bool EditBoxKeepsKey(bool inEditBox, bool control, bool alt, unsigned virtualKey) {
    if (!inEditBox || !control || alt)
        return false;
    return virtualKey == 'C' || virtualKey == 'X' || virtualKey == 'V' || virtualKey == 'Z';
}

}  // namespace orvane
