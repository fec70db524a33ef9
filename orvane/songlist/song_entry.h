// One row of the song list: what the list shows and what a set file stores.
#pragma once

#include <string>

namespace orvane {

// State images of an entry.
inline constexpr int kNoStateImage = -1;
inline constexpr int kUsedImage = 0;
inline constexpr int kNowPlayingImage = 1;

struct TSongEntry {
    std::string caption;      // file name without folder (column "Filename")
    std::string timeText;     // play-time text (column "Time")
    std::string folder;       // folder of the file, always ending in a backslash (column "Path")
    std::string usedFlag = "0";     // "0" not yet played, "1" played
    std::string secondsText = "0";  // play time in seconds as decimal text
    int stateImage = kNoStateImage;

    // The full file name is the folder followed directly by the caption.
    std::string FullName() const { return folder + caption; }

    bool operator==(const TSongEntry&) const = default;
};

}  // namespace orvane
