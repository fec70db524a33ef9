#include "view_settings.h"

#include <cstdlib>

#include "setting_access.h"

namespace orvane {

int SortStyleOf(const TViewState& state) {
    int style = 2;
    if (state.sortItem == TSortItem::ByFilename) style = 0;
    else if (state.sortItem == TSortItem::ByPath) style = 1;
    return state.reverseOrder ? -style : style;
}

TViewState LoadViewSettings(const SettingsStore& store) {
    TViewState state;
    const int style = ReadSetting(store, setting::SortStyle);
    state.reverseOrder = style < 0;
    const long long magnitude = std::llabs(static_cast<long long>(style));
    if (magnitude == 1) state.sortItem = TSortItem::ByPath;
    else if (magnitude == 2) state.sortItem = TSortItem::NoSort;
    else state.sortItem = TSortItem::ByFilename;  // 0, and unknown values keep the first item
    state.sortAlways = ReadSetting(store, setting::SortAlways);
    const int tab = ReadSetting(store, setting::TabSetIndex);
    state.tabSetIndex = (tab == 0 || tab == 1) ? tab : 0;
    state.playerVisible = ReadSetting(store, setting::WinPlay3Visible);
    state.playerTopmost = ReadSetting(store, setting::WinPlay3Topmost);
    state.recentDirectory = ReadSetting(store, setting::RecentDirectory);
    return state;
}

void SaveViewSettings(SettingsStore& store, const TViewState& state) {
    WriteSetting(store, setting::SortStyle, SortStyleOf(state));
    WriteSetting(store, setting::SortAlways, state.sortAlways);
    WriteSetting(store, setting::RecentDirectory, state.recentDirectory);
    WriteSetting(store, setting::WinPlay3Visible, state.playerVisible);
    WriteSetting(store, setting::WinPlay3Topmost, state.playerTopmost);
    WriteSetting(store, setting::TabSetIndex, state.tabSetIndex);
}

}  // namespace orvane
