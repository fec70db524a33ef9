// The reader's main window: an outline tree and a RichEdit text pane with a splitter between.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <memory>

#include "issue_library.h"
#include "issue_loader.h"
#include "oem_char_converter_win32.h"
#include "tree_outline_sink_win32.h"

namespace nuvella {

inline constexpr const char* kReaderClassName = "nuv95Main";

// Asks the missing-marker question in a message box owned by the main window.
class WindowMarkerQuestion final : public MarkerQuestion {
  public:
    explicit WindowMarkerQuestion(HWND owner) : owner_(owner) {}
    bool continueWithoutMarker() override;

  private:
    HWND owner_;
};

// Everything the window needs, one per window; issues stay loaded while it lives.
struct ReaderState {
    explicit ReaderState(HWND window, HWND treeWindow, HWND textPane)
        : main(window), tree(treeWindow), pane(textPane), sink(treeWindow), question(window) {}

    HWND main;
    HWND tree;
    HWND pane;
    bool splitHorizontal = false;  // false: side by side; true: stacked
    double splitRatio = 0.25;
    bool dragging = false;
    int dragPosition = 0;
    int baseFontSize = 9;
    IssueLibrary library;
    TreeOutlineSink sink;
    OemCharConverter converter;
    WindowMarkerQuestion question;
    LoadContext context{sink, converter, question, library};
};

// Registers "nuv95Main"; the image list is handed to every window created from it.
bool registerReaderClass(HINSTANCE instance);
HWND createReaderWindow(HINSTANCE instance, HIMAGELIST treePictures);
// The state behind a reader window, or null for any other window.
ReaderState* readerState(HWND window);
// Loads a string resource into the next of five rotating buffers.
const char* LoadResString(UINT id);

}  // namespace nuvella
