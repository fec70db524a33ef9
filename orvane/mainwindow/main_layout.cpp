#include "main_layout.h"

#include <algorithm>

namespace orvane {
namespace {

int RightPanelWidth(const TPanelSizes& sizes, int clientWidth) {
    return clientWidth - sizes.leftPanelWidth - kSplitterWidth;
}

}  // namespace

TMainLayout LayOutMainWindow(int clientWidth, int clientHeight, int toolBarHeight,
                             int statusBarHeight, int buttonSize, const TPanelSizes& sizes) {
    TMainLayout layout;
    const int top = toolBarHeight;
    const int height = std::max(0, clientHeight - toolBarHeight - statusBarHeight);
    const int left = std::clamp(sizes.leftPanelWidth, 0, std::max(0, clientWidth - kSplitterWidth));
    const int upper =
        std::clamp(sizes.listPanelHeight, 0,
                   std::max(0, height - kSplitterWidth - kInfoPanelHeight - kMinTabsHeight));
    const int dir = std::clamp(sizes.dirListPanelWidth, 0, std::max(0, left - kSplitterWidth));

    layout.dirListPanel = {0, top, dir, upper};
    layout.split1 = {dir, top, kSplitterWidth, upper};
    layout.fileListPanel = {dir + kSplitterWidth, top, std::max(0, left - dir - kSplitterWidth),
                            upper};
    layout.split2 = {0, top + upper, left, kSplitterWidth};
    const int lowerTop = top + upper + kSplitterWidth;
    const int lowerHeight = std::max(0, height - upper - kSplitterWidth);
    const int info = std::min(kInfoPanelHeight, lowerHeight);
    layout.infoPanel = {0, lowerTop, left, info};
    layout.tabs = {0, lowerTop + info, left, lowerHeight - info};
    layout.split3 = {left, top, kSplitterWidth, height};

    const int rightLeft = left + kSplitterWidth;
    const int rightWidth = std::max(0, clientWidth - rightLeft);
    const int tools = std::min(buttonSize + kToolPanelMargin, rightWidth);
    layout.toolPanel = {rightLeft, top, tools, height};
    const int totals = std::min(kTotalsHeight, height);
    layout.songList = {rightLeft + tools, top, rightWidth - tools, height - totals};
    layout.totals = {rightLeft + tools, top + height - totals, rightWidth - tools, totals};
    return layout;
}

int MinClientHeight(int toolBarHeight, int statusBarHeight) {
    return toolBarHeight + statusBarHeight + kSplitterWidth + kInfoPanelHeight + kMinTabsHeight;
}

TPanelSizes PanelsAfterResize(TPanelSizes sizes, int clientWidth, bool maintainRatio) {
    if (RightPanelWidth(sizes, clientWidth) < kMinRightPanelWidth) {
        sizes.leftPanelWidth = clientWidth - kMinRightPanelWidth - kSplitterWidth;
    }
    if (maintainRatio) {
        sizes.dirListPanelWidth = RoundHalfEven(clientWidth * 0.25);
        sizes.leftPanelWidth = RoundHalfEven(clientWidth * 0.5);
    }
    // A window narrower than the right panel's minimum still keeps a left panel to grab.
    sizes.leftPanelWidth = std::max(sizes.leftPanelWidth, kMinLeftPanelWidth);
    return PanelsAfterLeftResize(sizes);
}

TPanelSizes PanelsAfterLeftResize(TPanelSizes sizes) {
    sizes.dirListPanelWidth = RoundHalfEven(sizes.leftPanelWidth * 0.5);
    return sizes;
}

TPanelSizes PanelsAfterSplit3(TPanelSizes sizes, int clientWidth) {
    sizes.leftPanelWidth = std::max(sizes.leftPanelWidth, kMinLeftPanelWidth);
    if (RightPanelWidth(sizes, clientWidth) < kMinRightPanelWidth) {
        sizes.leftPanelWidth =
            std::max(kMinLeftPanelWidth, clientWidth - kMinRightPanelWidth - kSplitterWidth);
    }
    return PanelsAfterLeftResize(sizes);
}

}  // namespace orvane
