// Starts one program of the unpacked package as Explorer would (its folder as the working
// directory) and reports what a user would see: the version fields of its file and whether
// its window comes up. The package test runs it once per program.
//
//   package_probe WINDOW SECONDS FOLDER EXE [ARGS...]
//
// WINDOW is the class name of the program's window or a part of its title. Prints
// "version: PRODUCT|VERSION|DESCRIPTION", then "window: CLASS|TITLE" and exits 0 when such
// a window of the program shows; otherwise lists the windows it did show and exits 1 (none
// in time), 3 (the program ended first) or 4 (it could not be started).
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
    DWORD size = GetFileVersionInfoSizeA(file.c_str(), &unused);
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
    bool list;
    HWND found;
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
    if (search->list) {
        std::printf("shown instead: %s|%s\n", className, title);
        return TRUE;
    }
    if (std::strcmp(className, search->wanted) == 0 || std::strstr(title, search->wanted)) {
        std::printf("window: %s|%s\n", className, title);
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

std::string FullPath(const std::string& path) {
    char full[MAX_PATH] = {};
    DWORD length = GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
    return length == 0 || length >= MAX_PATH ? path : full;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 5) {
        std::fprintf(stderr, "usage: package_probe WINDOW SECONDS FOLDER EXE [ARGS...]\n");
        return 2;
    }
    const char* wanted = argv[1];
    const int seconds = std::atoi(argv[2]);
    const std::string folder = FullPath(argv[3]);
    const std::string program = folder + "\\" + argv[4];
    PrintVersion(program);

    std::string command = "\"" + program + "\"";
    for (int i = 5; i < argc; ++i) command += std::string(" \"") + argv[i] + "\"";
    std::vector<char> commandLine(command.begin(), command.end());
    commandLine.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &process)) {
        std::printf("start failed: error %lu\n", GetLastError());
        return 4;
    }

    WindowSearch search = {process.dwProcessId, wanted, false, nullptr};
    int result = 1;
    for (int waited = 0; waited < seconds * 1000; waited += 100) {
        EnumWindows(VisitWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found) {
            result = 0;
            break;
        }
        if (WaitForSingleObject(process.hProcess, 100) == WAIT_OBJECT_0) {
            DWORD code = 0;
            GetExitCodeProcess(process.hProcess, &code);
            std::printf("ended before its window showed: status %lu\n", code);
            result = 3;
            break;
        }
    }
    if (result == 1) {
        std::printf("window: none within %d s\n", seconds);
        search.list = true;
        EnumWindows(VisitWindow, reinterpret_cast<LPARAM>(&search));
    }
    // The program's own exit paths (save prompts) are not what this checks.
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 5000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return result;
}
