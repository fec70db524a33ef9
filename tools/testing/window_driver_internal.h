// What the driver's own files share: names without their mnemonic marks, the process of a
// window, and memory in another process.
#pragma once

#include "window_driver.h"
// After windows.h, whose types it needs.
#include <commctrl.h>

#include <string>

namespace driver {

inline std::string WithoutAmpersands(const std::string& text) {
    std::string plain;
    for (char c : text)
        if (c != '&')
            plain += c;
    return plain;
}

inline DWORD ProcessOf(HWND window) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return process;
}

inline DWORD ThreadOf(HWND window) {
    return GetWindowThreadProcessId(window, nullptr);
}

// Memory in another process for messages whose pointers the system does not carry across.
class RemoteBuffer {
  public:
    RemoteBuffer(HWND window, size_t size) {
        process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE,
                               ProcessOf(window));
        if (!process_)
            Fail("could not open the process of a " + ClassOf(window) + " to read it");
        memory_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
        if (!memory_) {
            CloseHandle(process_);
            Fail("could not reserve memory in the process of a " + ClassOf(window));
        }
    }
    ~RemoteBuffer() {
        VirtualFreeEx(process_, memory_, 0, MEM_RELEASE);
        CloseHandle(process_);
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    char* At(size_t offset) const { return static_cast<char*>(memory_) + offset; }
    void Write(size_t offset, const void* bytes, size_t count) const {
        WriteProcessMemory(process_, At(offset), bytes, count, nullptr);
    }
    void Read(size_t offset, void* bytes, size_t count) const {
        ReadProcessMemory(process_, At(offset), bytes, count, nullptr);
    }

  private:
    HANDLE process_ = nullptr;
    void* memory_ = nullptr;
};

// The label of one tree view item of another process.
std::string TreeLabel(HWND tree, HTREEITEM item);

}  // namespace driver
