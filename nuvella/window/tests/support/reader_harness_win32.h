// Test support: a real reader window inside the test process, its controls read back, and
// its dialogs answered by script so that no test ever waits on a modal box.
#pragma once

#include <windows.h>

#include <commctrl.h>
#include <commdlg.h>

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "reader_dialogs_win32.h"
#include "reader_window_win32.h"

namespace nuvella::testing {

// Installs itself as the reader's dialogs for its lifetime and records what was asked.
class DialogScript {
  public:
    DialogScript();
    ~DialogScript();
    DialogScript(const DialogScript&) = delete;
    DialogScript& operator=(const DialogScript&) = delete;

    struct ShownBox {
        HWND owner = nullptr;
        std::string text;
        std::optional<std::string> caption;  // none: the system's default caption
        UINT type = 0;
    };

    // Message boxes: each takes the next answer; one without an answer fails the test.
    std::deque<int> boxAnswers;
    std::vector<ShownBox> boxes;

    // Open dialog: the raw result buffer (NULs included) and name offset, or none to cancel.
    std::optional<std::string> openResult;
    WORD openFileOffset = 0;
    std::vector<OPENFILENAMEA> openRequests;
    int extendedErrorCalls = 0;

    // Font dialog: changes the LOGFONT as the user would; returns whether "OK" was pressed.
    std::function<bool(LOGFONTA&)> fontChoice;
    std::vector<CHOOSEFONTA> fontRequests;
    std::vector<LOGFONTA> fontsOffered;

  private:
    ReaderDialogs saved_;
};

struct TreeEntry {
    HTREEITEM item = nullptr;
    int depth = 0;
    std::string label;
    bool hasChildren = false;
    bool expanded = false;
    int picture = -1;  // as the window supplies it on demand
    const IssueLine* start = nullptr;
};

class ReaderHarness {
  public:
    // Creates the window as the program does and lets the posted start-up messages run.
    ReaderHarness();
    ~ReaderHarness();
    ReaderHarness(const ReaderHarness&) = delete;
    ReaderHarness& operator=(const ReaderHarness&) = delete;

    // Handles every message waiting for this thread.
    void pump();
    void command(WORD id);

    ReaderState& state() const;
    std::vector<TreeEntry> treeEntries() const;
    void select(HTREEITEM item);
    void expand(HTREEITEM item);
    // The pane's plain text, paragraph breaks as "\n".
    std::string paneText() const;
    // The pane's text as the control returns it; character positions count in this text.
    std::string paneRawText() const;
    RECT childRect(HWND child) const;  // in the main window's client coordinates
    RECT clientRect() const;
    bool menuChecked(UINT id) const;

    HWND window = nullptr;
    HWND tree = nullptr;
    HWND pane = nullptr;

  private:
    HMODULE richEdit_ = nullptr;
    HIMAGELIST pictures_ = nullptr;
};

}  // namespace nuvella::testing
