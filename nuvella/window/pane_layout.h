// Where the two panes and the splitter go: arithmetic only, so tests need no window.
#pragma once

namespace nuvella {

struct PaneRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const PaneRect&, const PaneRect&) = default;
};

struct PaneLayout {
    PaneRect tree;
    PaneRect text;
    friend bool operator==(const PaneLayout&, const PaneLayout&) = default;
};

inline constexpr double kStartSplitRatio = 0.25;
inline constexpr double kMinSplitRatio = 0.05;
inline constexpr double kMaxSplitRatio = 0.95;

// Side by side the tree takes `ratio` of the width on the left; stacked, of the height on top.
// The gap left between them is the splitter.
PaneLayout layoutPanes(int width, int height, double ratio, bool stacked);

// The ratio for a splitter released at `position` along a client `extent`, kept within
// 0.05 .. 0.95 (a zero extent gives the low end).
double splitRatioAt(int position, int extent);

// The two-pixel line drawn while the splitter is dragged, across the whole client area.
PaneRect dragLine(int position, int width, int height, bool stacked);

}  // namespace nuvella
