// The work of talvik-split over a track range, apart from the process around it.
#pragma once

#include <cstdint>
#include <ostream>

#include "split_options.h"

namespace talvik {

// Progress over the track range; the terminal version redraws one line.
class SplitProgress {
  public:
    virtual ~SplitProgress() = default;
    virtual void show(int track, int first, int last, const char* phase, std::int64_t done,
                      std::int64_t total) = 0;
    virtual void clear() = 0;
};

// Runs Auto-mode over the range; a failing track is reported on `err` and the run
// goes on. Returns the exit status: 0, or 1 when any track failed.
int RunSplit(const SplitOptions& options, std::ostream& out, std::ostream& err,
             SplitProgress* progress);

}  // namespace talvik
