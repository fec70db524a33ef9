// brevant-render: the recorder's render and song listing on the command line.
#include <atomic>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include "render_command.h"

namespace {

std::atomic<bool> interrupted{false};

extern "C" void onInterrupt(int) { interrupted = true; }

bool stderrIsTerminal() {
#ifdef _WIN32
    return _isatty(_fileno(stderr)) != 0;
#else
    return isatty(fileno(stderr)) != 0;
#endif
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    // Ctrl+C stops the render like the STOP button: the file is closed valid.
    std::signal(SIGINT, onInterrupt);
    brevant::RenderCommandIo io{std::cout, std::cerr, stderrIsTerminal(), &interrupted};
    const int status = brevant::runRenderCommand(args, io);
    std::cout.flush();
    return status;
}
