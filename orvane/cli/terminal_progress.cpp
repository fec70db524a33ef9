#include "terminal_progress.h"

#include <cstdio>

#ifdef _WIN32
#include <io.h>
#define ORVANE_ISATTY _isatty
#define ORVANE_FILENO _fileno
#else
#include <unistd.h>
#define ORVANE_ISATTY isatty
#define ORVANE_FILENO fileno
#endif

namespace orvane {

bool ProgressWanted()
{
    return ORVANE_ISATTY(ORVANE_FILENO(stderr)) != 0 && ORVANE_ISATTY(ORVANE_FILENO(stdout)) == 0;
}

void TTerminalProgress::Update(std::size_t done, std::size_t all)
{
    if (done >= all) {
        std::fprintf(stderr, "\r%40s\r", "");
        return;
    }
    const auto now = std::chrono::steady_clock::now();
    if (now - lastDraw_ < std::chrono::milliseconds(100)) return;
    lastDraw_ = now;
    std::fprintf(stderr, "\rorvane-info: %zu of %zu files", done, all);
    std::fflush(stderr);
}

}  // namespace orvane
