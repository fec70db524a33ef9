#include "pane_layout.h"

namespace nuvella {

PaneLayout layoutPanes(int width, int height, double ratio, bool stacked) {
    PaneLayout layout;
    if (stacked) {
        const int a = static_cast<int>(height * ratio);
        layout.tree = {0, 0, width, a - 1};
        layout.text = {0, a + 2, width, height - a};
    } else {
        const int a = static_cast<int>(width * ratio);
        layout.tree = {0, 0, a - 2, height};
        layout.text = {a + 2, 0, width - a, height};
    }
    return layout;
}

double splitRatioAt(int position, int extent) {
    const double ratio = static_cast<double>(position) / static_cast<double>(extent);
    // Written so that NaN (0 / 0) also ends at the low end.
    if (!(ratio >= kMinSplitRatio)) {
        return kMinSplitRatio;
    }
    return ratio > kMaxSplitRatio ? kMaxSplitRatio : ratio;
}

PaneRect dragLine(int position, int width, int height, bool stacked) {
    return stacked ? PaneRect{0, position, width, 2} : PaneRect{position, 0, 2, height};
}

}  // namespace nuvella
