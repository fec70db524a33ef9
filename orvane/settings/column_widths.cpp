#include "column_widths.h"

#include "setting_access.h"

namespace orvane {

TColumnWidths LoadColumnWidths(const SettingsStore& store) {
    TColumnWidths widths;
    widths.fileColumn = ReadSetting(store, setting::FileColumnWidth);
    widths.timeColumn = ReadSetting(store, setting::TimeColumnWidth);
    widths.pathColumn = ReadSetting(store, setting::PathColumnWidth);
    return widths;
}

void SaveColumnWidths(SettingsStore& store, const TColumnWidths& widths) {
    WriteSetting(store, setting::FileColumnWidth, widths.fileColumn);
    WriteSetting(store, setting::TimeColumnWidth, widths.timeColumn);
    WriteSetting(store, setting::PathColumnWidth, widths.pathColumn);
}

}  // namespace orvane
