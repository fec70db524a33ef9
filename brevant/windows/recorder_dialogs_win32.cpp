#include "recorder_dialogs_win32.h"

#include <vector>

namespace brevant {

int SystemDialogs::messageBox(HWND owner, const std::string& text, const char* caption, UINT type) {
    return MessageBoxA(owner, text.c_str(), caption, type);
}

bool SystemDialogs::openFileName(OPENFILENAMEA& request) {
    return GetOpenFileNameA(&request) != 0;
}

bool SystemDialogs::saveFileName(OPENFILENAMEA& request) {
    return GetSaveFileNameA(&request) != 0;
}

INT_PTR SystemDialogs::modalDialog(HWND owner, int resource, DLGPROC procedure, LPARAM parameter) {
    return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resource), owner, procedure,
                           parameter);
}

void SystemDialogs::startProcess(const std::string& commandLine) {
    // CreateProcessA may write into the command line, so it gets a copy it owns.
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                       &process)) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
}

}  // namespace brevant
