// The main window's parts shared between its files: its controls, where they go, the splitters.
#pragma once

#include "main_form_win32.h"

namespace orvane {

// main_form_controls_win32.cpp: every control, made once in WM_CREATE.
void CreateControls(TMainForm& form);

// main_form_layout_win32.cpp
int ToolBarHeight(const TMainForm& form);
int StatusBarHeight(const TMainForm& form);
// The top of the panels, below a tool bar docked at the top.
int PanelsTop(const TMainForm& form);
// The Tag Info or the Lyrics page, as the tab control says.
void ShowTabPage(TMainForm& form);
// The splitter under a point of the client area.
TSplitter SplitterAt(const TMainForm& form, int x, int y);

// main_form_win32.cpp: the file list's subclass (a press may start a drag).
LRESULT CALLBACK FileListBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace orvane
