// Where the main window's controls go: the panels, the tab pages and the splitters between them.
#include <algorithm>
#include <map>
#include <vector>

#include "main_form_parts_win32.h"
#include "tool_bar_dock_win32.h"

namespace orvane {
namespace {

constexpr int kStatusModifiedWidth = 80;
constexpr int kStatusTagKindWidth = 100;  // which tag the boxes show, at the right end

// The children's new places, moved in one batch: one repaint of the window, not one for each.
// A child already in its place is left alone (a show after the layout of the hidden window).
class ChildMoves {
  public:
    ChildMoves(HWND parent, std::map<HWND, TRect>& placed) : parent_(parent), placed_(placed) {}
    void Place(HWND child, const TRect& r) {
        if (!At(child, r))
            moves_.push_back({child, r});
        placed_[child] = r;
    }
    void Apply() const {
        if (moves_.empty())
            return;
        HDWP batch = BeginDeferWindowPos(static_cast<int>(moves_.size()));
        for (const auto& [child, r] : moves_) {
            if (batch != nullptr)
                batch = DeferWindowPos(batch, child, nullptr, r.x, r.y, r.width, r.height,
                                       SWP_NOZORDER | SWP_NOACTIVATE);
        }
        if (batch != nullptr && EndDeferWindowPos(batch))
            return;
        // A batch the system could not take: each child is moved on its own.
        for (const auto& [child, r] : moves_) MoveWindow(child, r.x, r.y, r.width, r.height, TRUE);
    }

  private:
    bool At(HWND child, const TRect& r) const {
        RECT now;
        if (!GetWindowRect(child, &now))
            return false;
        MapWindowPoints(nullptr, parent_, reinterpret_cast<POINT*>(&now), 2);
        if (now.left != r.x || now.top != r.y || now.right - now.left != r.width)
            return false;
        if (now.bottom - now.top == r.height)
            return true;
        // A combo box is as high as its box, whatever height it was given for its list.
        RECT dropped;
        const auto last = placed_.find(child);
        return last != placed_.end() && last->second == r &&
               SendMessageA(child, CB_GETDROPPEDCONTROLRECT, 0,
                            reinterpret_cast<LPARAM>(&dropped)) != 0;
    }

    HWND parent_;
    std::map<HWND, TRect>& placed_;
    std::vector<std::pair<HWND, TRect>> moves_;
};

bool ToolBarAtBottom(const TMainForm& form) {
    return form.toolBarAlign == TToolBarAlign::Bottom;
}

// The panels lie between the tool bar and the status bar, on whichever edge the bar docks.
TMainLayout FormLayout(const TMainForm& form, const RECT& client) {
    const int bar = ToolBarHeight(form);
    const int status = StatusBarHeight(form);
    if (ToolBarAtBottom(form)) {
        return LayOutMainWindow(client.right, client.bottom, 0, status + bar, form.buttonSize,
                                form.panels);
    }
    return LayOutMainWindow(client.right, client.bottom, bar, status, form.buttonSize, form.panels);
}

}  // namespace

// A floating bar takes no room in the window.
int ToolBarHeight(const TMainForm& form) {
    return ToolBarFloating(form) ? 0 : form.buttonSize + 6;
}

int StatusBarHeight(const TMainForm& form) {
    RECT r;
    GetWindowRect(form.statusBar, &r);
    return r.bottom - r.top;
}

int PanelsTop(const TMainForm& form) {
    return ToolBarAtBottom(form) ? 0 : ToolBarHeight(form);
}

void ShowTabPage(TMainForm& form) {
    const bool lyrics = SendMessageA(form.tabSet, TCM_GETCURSEL, 0, 0) == 1;
    const int tagShow = lyrics ? SW_HIDE : SW_SHOW;
    for (HWND c : form.tagLabels) ShowWindow(c, tagShow);
    for (HWND c : {form.title, form.artist, form.album, form.genre, form.year, form.comment}) {
        ShowWindow(c, tagShow);
    }
    ShowWindow(form.lyricsMemo, lyrics ? SW_SHOW : SW_HIDE);
}

void LayOut(TMainForm& form) {
    RECT client;
    GetClientRect(form.window, &client);
    SendMessageA(form.statusBar, WM_SIZE, 0, 0);
    // The hint panel keeps its place (part 1) between "Modified" and the tag kind.
    int parts[3] = {
        kStatusModifiedWidth,
        std::max(kStatusModifiedWidth, static_cast<int>(client.right) - kStatusTagKindWidth), -1};
    SendMessageA(form.statusBar, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(parts));
    const int toolBar = ToolBarHeight(form);
    const TMainLayout l = FormLayout(form, client);
    const int toolBarTop =
        ToolBarAtBottom(form)
            ? std::max(0, static_cast<int>(client.bottom) - StatusBarHeight(form) - toolBar)
            : 0;
    ChildMoves moves(form.window, form.placed);
    if (!ToolBarFloating(form))
        moves.Place(form.toolBar, {0, toolBarTop, static_cast<int>(client.right), toolBar});
    const TRect& d = l.dirListPanel;
    moves.Place(form.driveBox, {d.x, d.y, d.width, 200});
    moves.Place(form.folderList, {d.x, d.y + 24, d.width, std::max(0, d.height - 48)});
    moves.Place(form.filterBox, {d.x, d.y + d.height - 23, d.width, 100});
    const TRect& f = l.fileListPanel;
    moves.Place(form.fileList, {f.x, f.y, f.width, std::max(0, f.height - 18)});
    moves.Place(form.fileCount, {f.x + 2, f.y + f.height - 16, f.width - 2, 16});
    const TRect& i = l.infoPanel;
    HWND values[4] = {form.version, form.layer, form.bitRate, form.sampleFreq};
    for (int row = 0; row < 4; ++row) {
        moves.Place(form.infoLabels[row], {i.x + 4, i.y + 2 + row * 17, 80, 16});
        moves.Place(values[row], {i.x + 88, i.y + 2 + row * 17, std::max(0, i.width - 92), 16});
    }
    const TRect& t = l.tabs;
    moves.Place(form.tabSet, t);
    RECT page{t.x, t.y, t.x + t.width, t.y + t.height};
    SendMessageA(form.tabSet, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&page));
    const int pageWidth = std::max(0, static_cast<int>(page.right - page.left));
    HWND boxes[6] = {form.title, form.artist, form.album, form.genre, form.year, form.comment};
    for (int row = 0; row < 6; ++row) {
        const int y = page.top + 2 + row * 22;
        moves.Place(form.tagLabels[row], {page.left + 2, y + 3, 50, 16});
        moves.Place(boxes[row], {page.left + 54, y, std::max(0, pageWidth - 58),
                                 row == 3 || row == 4 ? 200 : 20});
    }
    moves.Place(form.lyricsMemo, {page.left, page.top, pageWidth,
                                  std::max(0, static_cast<int>(page.bottom - page.top))});
    moves.Place(form.toolPanel, l.toolPanel);
    moves.Place(form.songList, l.songList);
    const TRect& s = l.totals;
    moves.Place(form.totalSong, {s.x + 2, s.y + 2, s.width / 3 - 2, s.height - 2});
    moves.Place(form.totalTime,
                {s.x + s.width / 3, s.y + 2, s.width - s.width / 3 - 2, s.height - 2});
    moves.Apply();
    InvalidateRect(form.window, nullptr, TRUE);
}

TSplitter SplitterAt(const TMainForm& form, int x, int y) {
    RECT client;
    GetClientRect(form.window, &client);
    const TMainLayout l = FormLayout(form, client);
    const auto inside = [x, y](const TRect& r) {
        return x >= r.x && x < r.x + r.width && y >= r.y && y < r.y + r.height;
    };
    if (inside(l.split1))
        return TSplitter::Split1;
    if (inside(l.split2))
        return TSplitter::Split2;
    if (inside(l.split3))
        return TSplitter::Split3;
    return TSplitter::None;
}

}  // namespace orvane
