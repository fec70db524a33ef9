// A one-line progress count on stderr for long runs at a terminal.
#pragma once

#include <chrono>
#include <cstddef>

namespace orvane {

// Whether stderr is a terminal while stdout is not (with both on one
// terminal the report itself shows the progress).
bool ProgressWanted();

class TTerminalProgress {
public:
    // Redraws at most ten times a second; clears the line when all are done.
    void Update(std::size_t done, std::size_t all);

private:
    std::chrono::steady_clock::time_point lastDraw_{};
};

}  // namespace orvane
