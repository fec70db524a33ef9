// A file per fuzzing process for the readers that take a path: the input is
// written to it before each run.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace fuzzing {

inline std::filesystem::path scratchDir()
{
    static const std::filesystem::path dir = [] {
        // Memory-backed when there is one: the readers open the file on every run.
        std::filesystem::path base = std::filesystem::exists("/dev/shm")
                                         ? std::filesystem::path("/dev/shm")
                                         : std::filesystem::temp_directory_path();
        auto d = base / ("toolkit-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(d);
        return d;
    }();
    // Removed when the process ends normally (a crash leaves it for inspection).
    static const struct Remover {
        ~Remover() { std::error_code ec; std::filesystem::remove_all(dir, ec); }
    } remover;
    return dir;
}

inline std::string writeScratch(const std::string& name, const std::uint8_t* data, std::size_t size)
{
    const auto path = (scratchDir() / name).string();
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) __builtin_trap();
    if (size && std::fwrite(data, 1, size, f) != size) __builtin_trap();
    std::fclose(f);
    return path;
}

// Property failures abort, so libFuzzer keeps the input as a crash.
#define FUZZ_CHECK(condition)                                                       \
    do {                                                                            \
        if (!(condition)) {                                                         \
            std::fprintf(stderr, "property failed: %s (%s:%d)\n", #condition,       \
                         __FILE__, __LINE__);                                       \
            __builtin_trap();                                                       \
        }                                                                           \
    } while (0)

}  // namespace fuzzing
