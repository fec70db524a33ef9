// Nuvella Reader: the program entry.
#include <windows.h>

#include "reader_app_win32.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    return nuvella::runReader(instance);
}
