#include "reader_dialogs_win32.h"

namespace nuvella {
namespace {

int platformMessageBox(HWND owner, const char* text, const char* caption, UINT type) {
    return MessageBoxA(owner, text, caption, type);
}

}  // namespace

ReaderDialogs& readerDialogs() {
    static ReaderDialogs dialogs{platformMessageBox, GetOpenFileNameA, CommDlgExtendedError,
                                 ChooseFontA};
    return dialogs;
}

}  // namespace nuvella
