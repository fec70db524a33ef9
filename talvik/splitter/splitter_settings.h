// Everything the window's controls hold, read into one struct before each command.
// Defaults are the window's.
#pragma once

#include <cstdint>
#include <string>

#include "sample_format.h"

namespace talvik {

struct SplitterSettings {
#ifdef _WIN32
    std::string sourceDir = "C:\\";  // Sourcedir, with its closing separator
    std::string saveDir = "C:\\";    // Savedir, with its closing separator
#else
    std::string sourceDir = "/";
    std::string saveDir = "/";
#endif
    std::string createDir = "TRACK";
    std::string saveSuffix = "WAV";
    std::string savePrefix = "SAMPLE";
    int startTrack = 1;
    int endTrack = 1;
    SampleFormat load = SampleFormat::Raw8;
    SampleFormat save = SampleFormat::Raw8;
    bool maximize = false;
    bool autoSkip = true;
    bool deleteProcessed = false;
    int noisePercent = 5;         // 0 to 100
    std::int64_t silence = 2000;  // 0 to 1000000, used as entered
    std::int64_t minSize = 1000;  // 0 to 1000000, bytes of the saved file
};

}  // namespace talvik
