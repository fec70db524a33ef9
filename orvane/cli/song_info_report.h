// The file mode of orvane-info: one block of "key: value" lines per song.
#pragma once

#include "song_file.h"

#include <functional>
#include <span>
#include <string>

namespace orvane {

// The lines for one file, each ending in "\n", then an empty line.
std::string SongInfoReport(const std::string& fileName, const TSongFileInfo& info);

struct TReportSinks {
    std::function<void(const std::string&)> out;       // the report
    std::function<void(const std::string&)> error;     // messages
    std::function<void(std::size_t done, std::size_t all)> progress;  // may be empty
};

// Reports every file; 0 when all could be read, 1 otherwise.
int RunSongInfo(std::span<const std::string> fileNames, const TReportSinks& sinks);

}  // namespace orvane
