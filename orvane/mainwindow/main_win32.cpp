// Orvane Manager: the program entry.
#include <windows.h>

#include "orvane_app_win32.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    return orvane::RunOrvane(instance);
}
