// Widths of the song list columns, kept in section "General".
#pragma once

#include "settings_store.h"

namespace orvane {

struct TColumnWidths {
    int fileColumn = 100;
    int timeColumn = 110;
    int pathColumn = 200;

    bool operator==(const TColumnWidths&) const = default;
};

TColumnWidths LoadColumnWidths(const SettingsStore& store);
void SaveColumnWidths(SettingsStore& store, const TColumnWidths& widths);

}  // namespace orvane
