// The --set mode of orvane-info: the entries of a set file, one line each.
#pragma once

#include <functional>
#include <string>

#include "song_entry.h"

namespace orvane {

// State image, usage flag, seconds and full file name, tab-separated, ending in "\n".
std::string SetListingLine(const TSongEntry& entry);

// Lists every entry that could be read. 0 when the whole file was read; 1 when it is
// missing or damaged (the error goes to error, after the entries read before the damage).
int ListSetFile(const std::string& path, const std::function<void(const std::string&)>& out,
                const std::function<void(const std::string&)>& error);

// Runs "orvane-info --set FILE.OVM" (argv[1] is "--set"); 2 for a wrong command line.
int RunSetListing(int argc, char** argv);

}  // namespace orvane
