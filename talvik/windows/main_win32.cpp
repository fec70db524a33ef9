// Talvik 2.0, the sample splitter: the program entry.
#include <windows.h>

#include "talvik_app_win32.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    return talvik::runTalvik(instance, show);
}
