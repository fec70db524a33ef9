// Start-up and message loop of the reader.
#pragma once

#include <windows.h>

#include <commctrl.h>

namespace nuvella {

// The tree pictures from bitmap 104: five of 16 pixels, pure red transparent.
HIMAGELIST loadTreePictures(HINSTANCE instance);

// Runs the program: 0 after a normal end, -1 when the text pane library or the main
// window cannot be had.
int runReader(HINSTANCE instance);

}  // namespace nuvella
