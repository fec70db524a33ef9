// Command line of talvik-split: the options mirror the splitter window's controls.
#pragma once

#include <string>
#include <vector>

#include "splitter_settings.h"

namespace talvik {

struct SplitOptions {
    SplitterSettings settings;
    bool analyzeOnly = false;
    bool help = false;
};

struct ParsedOptions {
    SplitOptions options;
    std::string error;  // empty when the command line is good
};

// Directory texts default to the current directory (empty text). Choosing a save
// format sets the suffix as the window's buttons do, unless --suffix is given.
ParsedOptions ParseSplitOptions(const std::vector<std::string>& args);

std::string SplitUsage();

}  // namespace talvik
