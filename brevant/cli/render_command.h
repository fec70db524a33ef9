// The brevant-render companion: renders a song to a WAVE file or prints it,
// without windows or sound devices.
#pragma once

#include <atomic>
#include <iosfwd>
#include <string>
#include <vector>

namespace brevant {

struct RenderCommandIo {
    std::ostream& out;
    std::ostream& err;
    bool progress = false;                       // draw a progress line on `err`
    const std::atomic<bool>* interrupt = nullptr;  // set to stop the render (Ctrl+C)
};

// Runs the command line (without the program name). Returns the exit status:
// 0 done, 1 failed, 2 the command line was wrong.
int runRenderCommand(const std::vector<std::string>& args, RenderCommandIo& io);

}  // namespace brevant
