// Starts one program of the unpacked package as Explorer would (its folder as the working
// directory) and reports its version fields and whether its window comes up.
//   package_probe WINDOW SECONDS FOLDER EXE [ARGS...]
// WINDOW is the window's class name or a part of its title. Prints "version: PRODUCT|
// VERSION|DESCRIPTION" and "window: CLASS|TITLE"; exits 0 when the window showed in time.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::string VersionField(const std::vector<char>& block, const char* name) {
    std::string path = std::string("\\StringFileInfo\\040904E4\\") + name;
    void* value = nullptr;
    UINT size = 0;
    if (!VerQueryValueA(block.data(), path.c_str(), &value, &size) || size == 0)
        return "";
    return static_cast<const char*>(value);
}

void PrintVersion(const std::string& file) {
    DWORD unused = 0;
    const DWORD size = GetFileVersionInfoSizeA(file.c_str(), &unused);
    std::vector<char> block(size);
    if (size == 0 || !GetFileVersionInfoA(file.c_str(), 0, size, block.data())) {
        std::printf("version: none\n");
        return;
    }
    std::printf("version: %s|%s|%s\n", VersionField(block, "ProductName").c_str(),
                VersionField(block, "FileVersion").c_str(),
                VersionField(block, "FileDescription").c_str());
}

struct WindowSearch {
    DWORD process;
    const char* wanted;
    bool listAll;  // after a failure: every window it showed instead
    bool found;
};

BOOL CALLBACK VisitWindow(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->process || !IsWindowVisible(window))
        return TRUE;
    char className[256] = {};
    char title[256] = {};
    GetClassNameA(window, className, sizeof className);
    GetWindowTextA(window, title, sizeof title);
    search->found =
        std::strcmp(className, search->wanted) == 0 || std::strstr(title, search->wanted);
    if (search->found || search->listAll)
        std::printf("window: %s|%s\n", className, title);
    return search->listAll || !search->found;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 5) {
        std::fprintf(stderr, "usage: package_probe WINDOW SECONDS FOLDER EXE [ARGS...]\n");
        return 2;
    }
    char folder[MAX_PATH] = {};
    GetFullPathNameA(argv[3], MAX_PATH, folder, nullptr);
    const std::string program = std::string(folder) + "\\" + argv[4];
    PrintVersion(program);
    std::string command = "\"" + program + "\"";
    for (int i = 5; i < argc; ++i) command += std::string(" \"") + argv[i] + "\"";

    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder, &startup, &process)) {
        std::printf("start failed: error %lu\n", GetLastError());
        return 4;
    }
    WindowSearch search = {process.dwProcessId, argv[1], false, false};
    DWORD ended = WAIT_TIMEOUT;
    for (int waited = 0; waited < std::atoi(argv[2]) * 1000 && ended == WAIT_TIMEOUT;
         waited += 500) {
        EnumWindows(VisitWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found)
            break;
        ended = WaitForSingleObject(process.hProcess, 500);
    }
    if (ended != WAIT_TIMEOUT)
        std::printf("ended before its window showed\n");
    if (!search.found) {
        search.listAll = true;
        EnumWindows(VisitWindow, reinterpret_cast<LPARAM>(&search));
        search.found = false;
    }
    // Its own ways out (save prompts) are not what this checks.
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 5000);
    return search.found ? 0 : 1;
}
