#include <windows.h>

#include <algorithm>

#include "readable_file.h"

namespace nuvella {
namespace {

class Win32File final : public ReadableFile {
  public:
    explicit Win32File(HANDLE handle) : handle_(handle) {}
    ~Win32File() override { CloseHandle(handle_); }
    Win32File(const Win32File&) = delete;
    Win32File& operator=(const Win32File&) = delete;

    std::optional<std::size_t> read(char* into, std::size_t size) override {
        // ReadFile takes a 32-bit count.
        const auto want = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
        DWORD got = 0;
        if (!ReadFile(handle_, into, want, &got, nullptr)) {
            return std::nullopt;
        }
        return static_cast<std::size_t>(got);
    }

    std::optional<std::uint64_t> reportedSize() override {
        LARGE_INTEGER size{};
        if (!GetFileSizeEx(handle_, &size) || size.QuadPart < 0) {
            return std::nullopt;
        }
        return static_cast<std::uint64_t>(size.QuadPart);
    }

  private:
    HANDLE handle_;
};

class Win32Files final : public FileOpener {
  public:
    // The A call: the name's bytes are read in the ANSI code page. A directory does not open.
    std::unique_ptr<ReadableFile> open(const std::string& path) override {
        HANDLE handle =
            CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
        if (handle == INVALID_HANDLE_VALUE) {
            return nullptr;
        }
        return std::make_unique<Win32File>(handle);
    }
};

}  // namespace

FileOpener& systemFiles() {
    static Win32Files files;
    return files;
}

}  // namespace nuvella
