#include "panel_sizes.h"

#include <cmath>

#include "setting_access.h"

namespace orvane {

int RoundHalfEven(double value) {
    const double floor = std::floor(value);
    const double fraction = value - floor;
    double result = floor;
    if (fraction > 0.5) result = floor + 1;
    else if (fraction == 0.5) result = std::fmod(floor, 2.0) == 0 ? floor : floor + 1;
    return static_cast<int>(result);
}

TPanelSizes DefaultPanelSizes(int clientWidth, int clientHeight, int statusBarHeight) {
    TPanelSizes sizes;
    sizes.dirListPanelWidth = RoundHalfEven(clientWidth * 0.25);
    sizes.listPanelHeight = RoundHalfEven(clientHeight * 0.5 - statusBarHeight);
    sizes.leftPanelWidth = RoundHalfEven(clientWidth * 0.5);
    return sizes;
}

TPanelSizes LoadPanelSizes(const SettingsStore& store, int clientWidth, int clientHeight,
                           int statusBarHeight) {
    const TPanelSizes defaults = DefaultPanelSizes(clientWidth, clientHeight, statusBarHeight);
    TPanelSizes sizes;
    sizes.dirListPanelWidth =
        ReadSetting(store, setting::DirListPanelWidth, defaults.dirListPanelWidth);
    sizes.listPanelHeight = ReadSetting(store, setting::ListPanelHeight, defaults.listPanelHeight);
    sizes.leftPanelWidth = ReadSetting(store, setting::LeftPanelWidth, defaults.leftPanelWidth);
    return sizes;
}

void SavePanelSizes(SettingsStore& store, const TPanelSizes& sizes) {
    WriteSetting(store, setting::DirListPanelWidth, sizes.dirListPanelWidth);
    WriteSetting(store, setting::ListPanelHeight, sizes.listPanelHeight);
    WriteSetting(store, setting::LeftPanelWidth, sizes.leftPanelWidth);
}

}  // namespace orvane
