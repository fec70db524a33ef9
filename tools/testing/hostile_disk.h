// Test helpers for saving onto a hostile disk, shared by the programs' tests. Tests run as root, where
// permission bits stop no write, so a full or read-only disk is made otherwise:
//  - FileSizeLimit: the process may not grow a file past a few bytes (writes fail
//    as on a full disk); works for any user.
//  - SmallDisk: a 64 KiB memory file system mounted for the test, which can be
//    filled or made read-only; needs the right to mount, so tests skip without it.
// Neither exists on Windows: IsSupported() is false there.
#pragma once

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#ifndef _WIN32
#include <csignal>
#include <sys/mount.h>
#include <sys/resource.h>
#endif

namespace hostile {

class FileSizeLimit {
  public:
#ifndef _WIN32
    static constexpr bool IsSupported() { return true; }
    explicit FileSizeLimit(std::uint64_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        // A write past the limit then fails with EFBIG instead of killing the process.
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = static_cast<rlim_t>(bytes);
        active_ = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, oldHandler_);
    }
    bool active() const { return active_; }

  private:
    rlimit saved_{};
    void (*oldHandler_)(int) = SIG_DFL;
    bool active_ = false;
#else
    static constexpr bool IsSupported() { return false; }
    explicit FileSizeLimit(std::uint64_t) {}
    bool active() const { return false; }
#endif
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
};

class SmallDisk {
  public:
    explicit SmallDisk(const std::filesystem::path& dir) : dir_(dir) {
        std::filesystem::create_directories(dir_);
#ifndef _WIN32
        mounted_ = ::mount("tmpfs", dir_.c_str(), "tmpfs", 0, "size=64k") == 0;
#endif
    }
    ~SmallDisk() {
#ifndef _WIN32
        if (mounted_) ::umount2(dir_.c_str(), MNT_DETACH);
#endif
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool mounted() const { return mounted_; }
    const std::filesystem::path& dir() const { return dir_; }
    // Takes up every free byte with a filler file.
    void fill() {
        std::ofstream filler(dir_ / "filler", std::ios::binary);
        const std::vector<char> block(4096, 'f');
        while (filler.write(block.data(), static_cast<std::streamsize>(block.size()))) {
        }
        for (int i = 0; i < 4096 && filler; ++i) filler.put('f');
    }
    bool makeReadOnly() {
#ifndef _WIN32
        return ::mount("tmpfs", dir_.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, "size=64k") == 0;
#else
        return false;
#endif
    }

  private:
    std::filesystem::path dir_;
    bool mounted_ = false;
};

// Every file of a directory: a failed save may leave no temporary file behind.
inline std::vector<std::string> FileNamesIn(const std::filesystem::path& dir) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace hostile
