// Panel sizes of the main window, kept in section "Panel".
#pragma once

#include "settings_store.h"

namespace orvane {

struct TPanelSizes {
    int dirListPanelWidth = 0;
    int listPanelHeight = 0;
    int leftPanelWidth = 0;

    bool operator==(const TPanelSizes&) const = default;
};

// Nearest integer, ties to even (the rounding of the panel and player geometry).
int RoundHalfEven(double value);
// The sizes of a fresh start and of Reset panel location.
TPanelSizes DefaultPanelSizes(int clientWidth, int clientHeight, int statusBarHeight);
TPanelSizes LoadPanelSizes(const SettingsStore& store, int clientWidth, int clientHeight,
                           int statusBarHeight);
void SavePanelSizes(SettingsStore& store, const TPanelSizes& sizes);

}  // namespace orvane
