// Second process of the single-instance test: "instance_probe NAME TITLE" runs the check
// with an application window titled TITLE; exit status 0 for a first copy, 1 for a later one.
#include <windows.h>

#include "widgets_win32.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    if (__argc < 3)
        return 2;
    HWND application = orvane::SingleInstanceGuard::CreateApplicationWindow(instance, __argv[2]);
    orvane::SingleInstanceGuard guard;
    return guard.Check(application, __argv[1]) ? 0 : 1;
}
