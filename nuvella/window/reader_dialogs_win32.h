// The modal boxes and common dialogs of the reader, replaceable so tests can answer them.
#pragma once

#include <windows.h>

#include <commdlg.h>

namespace nuvella {

struct ReaderDialogs {
    int (*messageBox)(HWND owner, const char* text, const char* caption, UINT type);
    BOOL (*getOpenFileName)(OPENFILENAMEA* request);
    DWORD (*extendedError)();
    BOOL (*chooseFont)(CHOOSEFONTA* request);
};

// The platform's own functions at start; a test swaps in its answers and restores them.
ReaderDialogs& readerDialogs();

}  // namespace nuvella
