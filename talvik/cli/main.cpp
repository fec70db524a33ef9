// talvik-split: the sample splitter's Auto-mode for batch work without the window.
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include "split_options.h"
#include "split_run.h"

namespace {

bool StderrIsTerminal() {
#ifdef _WIN32
    return _isatty(_fileno(stderr)) != 0;
#else
    return isatty(fileno(stderr)) != 0;
#endif
}

class TerminalProgress : public talvik::SplitProgress {
  public:
    void show(int track, int first, int last, const char* phase, std::int64_t done,
              std::int64_t total) override {
        const int percent = total > 0 ? static_cast<int>(done * 100 / total) : 100;
        std::fprintf(stderr, "\rtrack %d (%d of %d): %s %3d%%   ", track, track - first + 1,
                     last - first + 1, phase, percent);
        std::fflush(stderr);
        shown_ = true;
    }
    void clear() override {
        if (shown_) {
            std::fprintf(stderr, "\r%60s\r", "");
            std::fflush(stderr);
            shown_ = false;
        }
    }

  private:
    bool shown_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    const talvik::ParsedOptions parsed = talvik::ParseSplitOptions(args);
    if (!parsed.error.empty()) {
        std::cerr << "talvik-split: " << parsed.error
                  << "\n(talvik-split --help shows the options)\n";
        return 2;
    }
    if (parsed.options.help) {
        std::cout << talvik::SplitUsage();
        return 0;
    }
    TerminalProgress terminal;
    return talvik::RunSplit(parsed.options, std::cout, std::cerr,
                            StderrIsTerminal() ? &terminal : nullptr);
}
