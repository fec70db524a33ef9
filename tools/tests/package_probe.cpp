// Starts one program of the unpacked package as Explorer would (its folder as the working
// directory) and reports its version fields and whether its window comes up.
//   package_probe WINDOW SECONDS FOLDER EXE [ARGS...]
// WINDOW is the window's class name or a part of its title. Prints "version: PRODUCT|
// VERSION|DESCRIPTION" and "window: CLASS|TITLE"; exits 0 when the window showed in time.
//   package_probe install SETUP SECONDS FILES TITLE WINDOW [TITLE WINDOW...]
// Installs silently, starts each program from its Start-menu entry TITLE until its window
// is up, appends a line to each of FILES (";"-separated, relative to the install folder: the
// user's data), uninstalls silently and lists what is left. Paths printed are relative to
// the install folder.
#include <shlobj.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
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

// Starts PROGRAM in FOLDER and waits up to SECONDS for its window; ends it either way.
bool StartAndWait(const std::string& program, std::string command, const char* folder,
                  const char* window, int seconds) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder, &startup, &process)) {
        std::printf("start failed: error %lu\n", GetLastError());
        return false;
    }
    WindowSearch search = {process.dwProcessId, window, false, false};
    DWORD ended = WAIT_TIMEOUT;
    for (int waited = 0; waited < seconds * 1000 && ended == WAIT_TIMEOUT; waited += 500) {
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
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return search.found;
}

const char kUninstallKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Audio Toolkit";

std::string Registered(const char* name) {
    char value[MAX_PATH] = {};
    DWORD size = sizeof value;
    if (RegGetValueA(HKEY_CURRENT_USER, kUninstallKey, name, RRF_RT_REG_SZ, nullptr, value,
                     &size) != ERROR_SUCCESS)
        return "";
    return value;
}

DWORD RunAndWait(std::string command) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return GetLastError() + 100000;
    WaitForSingleObject(process.hProcess, 120000);
    DWORD status = STILL_ACTIVE;
    GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return status;
}

std::string Relative(const std::string& path, const std::string& root) {
    if (path.size() > root.size() && _strnicmp(path.c_str(), root.c_str(), root.size()) == 0)
        return path.substr(root.size() + 1);
    return path;
}

// The program and the folder a Start-menu entry starts it in, as the shell reads them.
void ReadShortcut(const std::string& file, char* target, char* folder) {
    IShellLinkA* link = nullptr;
    IPersistFile* persist = nullptr;
    wchar_t wide[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, file.c_str(), -1, wide, MAX_PATH);
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   reinterpret_cast<void**>(&link))) &&
        SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist))) &&
        SUCCEEDED(persist->Load(wide, STGM_READ))) {
        link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH);
        link->GetWorkingDirectory(folder, MAX_PATH);
    }
    if (persist)
        persist->Release();
    if (link)
        link->Release();
}

void ListLeft(const std::string& root, const std::string& relative) {
    WIN32_FIND_DATAA found = {};
    HANDLE search = FindFirstFileA((root + "\\" + relative + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..")
            continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            ListLeft(root, relative + name + "\\");
        else
            std::printf("left: %s%s\n", relative.c_str(), name.c_str());
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

int Install(int argc, char** argv) {
    std::printf("setup: %lu\n", RunAndWait(std::string("\"") + argv[2] + "\" /S"));
    const std::string root = Registered("InstallLocation");
    std::printf("registered: %s|%s|%s\n", Registered("DisplayName").c_str(),
                Registered("DisplayVersion").c_str(), root.c_str());
    if (root.empty())
        return 1;
    char menu[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, CSIDL_PROGRAMS, nullptr, 0, menu);
    const std::string entries = std::string(menu) + "\\Audio Toolkit";
    CoInitialize(nullptr);
    for (int i = 5; i + 1 < argc; i += 2) {
        char target[MAX_PATH] = {};
        char folder[MAX_PATH] = {};
        ReadShortcut(entries + "\\" + argv[i] + ".lnk", target, folder);
        std::printf("shortcut: %s|%s|%s\n", argv[i], Relative(target, root).c_str(),
                    Relative(folder, root).c_str());
        const bool up = StartAndWait(target, std::string("\"") + target + "\"", folder, argv[i + 1],
                                     std::atoi(argv[3]));
        std::printf("started: %s|%s\n", argv[i], up ? "window up" : "no window");
    }
    std::istringstream files(argv[4]);
    for (std::string file; std::getline(files, file, ';');)
        std::ofstream(root + "\\" + file, std::ios::app) << "the user's own\r\n";
    std::printf("uninstall: %lu\n", RunAndWait(Registered("QuietUninstallString")));
    // The uninstaller goes on from a copy of itself in the temporary folder.
    for (int waited = 0; waited < 30000 && !Registered("DisplayName").empty(); waited += 250)
        Sleep(250);
    Sleep(500);
    std::printf("after: registered %s, start menu %s\n",
                Registered("DisplayName").empty() ? "no" : "yes",
                GetFileAttributesA(entries.c_str()) == INVALID_FILE_ATTRIBUTES ? "gone" : "there");
    ListLeft(root, "");
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 5 && std::strcmp(argv[1], "install") == 0)
        return Install(argc, argv);
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
    return StartAndWait(program, command, folder, argv[1], std::atoi(argv[2])) ? 0 : 1;
}
