// Folders a test makes unwritable for real, and the per-user folder programs fall back to.
#include <string>

#include "window_driver.h"

namespace driver {
namespace {

using UnixFileName = char*(__cdecl*)(const wchar_t*);

// Wine's own export: the host path behind a Windows path (allocated on the process heap).
std::string UnixPathOf(const std::string& windowsPath) {
    const auto convert = reinterpret_cast<UnixFileName>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (convert == nullptr)
        throw StepFailed("MakeUnwritable needs Wine (wine_get_unix_file_name is missing)");
    std::wstring wide(windowsPath.size() + 1, L'\0');
    MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, wide.data(),
                        static_cast<int>(wide.size()));
    char* unixPath = convert(wide.c_str());
    if (unixPath == nullptr)
        throw StepFailed("no host path for " + windowsPath);
    std::string result = unixPath;
    HeapFree(GetProcessHeap(), 0, unixPath);
    return result;
}

// Wine starts a host program for a host path; its exit cannot be waited for, so callers
// watch for the effect instead.
void RunHostCommand(const std::string& commandLine) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string line = commandLine;
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        throw StepFailed("could not run " + commandLine);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

bool WriteSucceeds(const std::string& folder) {
    const std::string probe = folder + "\\driver-probe.tmp";
    HANDLE file = CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    return true;
}

}  // namespace

bool MakeUnwritable(const std::string& folder) {
    const DWORD attributes = GetFileAttributesA(folder.c_str());
    // Files of a run's prefix may be links into the shared template: folders only.
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        throw StepFailed("MakeUnwritable: no folder " + folder);
    RunHostCommand("/bin/chmod a-w \"" + UnixPathOf(folder) + "\"");
    for (int tries = 0; tries < 100; ++tries) {
        if (!WriteSucceeds(folder))
            return true;
        Sleep(50);
    }
    return false;
}

std::string AppDataFolder() {
    char path[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableA("APPDATA", path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        throw StepFailed("APPDATA is not set");
    return path;
}

}  // namespace driver
