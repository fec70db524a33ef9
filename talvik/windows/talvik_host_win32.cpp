#include "talvik_host_win32.h"

namespace talvik {

void SystemHost::beep() {
    MessageBeep(MB_OK);
}

void SystemHost::showError(HWND owner, const std::string& text) {
    MessageBoxA(owner, text.c_str(), "Talvik 2.0", MB_OK | MB_ICONERROR);
}

void SystemHost::showNotice(HWND owner, const std::string& text) {
    MessageBoxA(owner, text.c_str(), "Talvik 2.0", MB_OK | MB_ICONINFORMATION);
}

bool SystemHost::startProgram(const std::string& commandLine, int show) {
    // WinExec gives 32 or more when the program was started.
    return WinExec(commandLine.c_str(), static_cast<UINT>(show)) > 31;
}

}  // namespace talvik
