// Where every part of the main window goes, and the rules that keep the panels usable.
#pragma once

#include "panel_sizes.h"

namespace orvane {

struct TRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    bool operator==(const TRect&) const = default;
};

inline constexpr int kSplitterWidth = 4;
inline constexpr int kMinRightPanelWidth = 150;
inline constexpr int kMinLeftPanelWidth = 20;
inline constexpr int kInfoPanelHeight = 72;
inline constexpr int kTotalsHeight = 20;
inline constexpr int kToolPanelMargin = 6;
// The Tag Info page with its six boxes (tab header, 6 rows of 22, margins).
inline constexpr int kMinTabsHeight = 164;

struct TMainLayout {
    TRect dirListPanel;  // drive box, folder list, filter box
    TRect split1;
    TRect fileListPanel;  // file list and its count label
    TRect split2;
    TRect infoPanel;
    TRect tabs;  // the Tag Info / Lyrics pages
    TRect split3;
    TRect toolPanel;
    TRect songList;
    TRect totals;  // TotalSongLabel and TotalTimeLabel side by side
};

// The client area below the tool bar and above the status bar, split by the stored sizes.
// Sizes that would not fit are cut for drawing only; the stored ones are left alone. The upper
// left part gives way first, so that every tag box stays on the page.
TMainLayout LayOutMainWindow(int clientWidth, int clientHeight, int toolBarHeight,
                             int statusBarHeight, int buttonSize, const TPanelSizes& sizes);

// The smallest client height that shows the whole Tag Info page.
int MinClientHeight(int toolBarHeight, int statusBarHeight);

// Window resized: the right panel keeps its 150, and with MainTainPanelRatio the panels keep
// a quarter and a half of the width.
TPanelSizes PanelsAfterResize(TPanelSizes sizes, int clientWidth, bool maintainRatio);
// The folder part always takes half of the left panel.
TPanelSizes PanelsAfterLeftResize(TPanelSizes sizes);
// Mouse released on the splitter between left and right.
TPanelSizes PanelsAfterSplit3(TPanelSizes sizes, int clientWidth);

}  // namespace orvane
