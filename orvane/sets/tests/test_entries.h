// Song entries for the set tests.
#pragma once

#include <string>
#include <vector>

#include "song_entry.h"

namespace orvane {

inline TSongEntry MakeEntry(std::string caption, std::string folder, std::string flag = "0",
                            int seconds = 200, int state = kNoStateImage) {
    TSongEntry e;
    e.caption = std::move(caption);
    e.folder = std::move(folder);
    e.usedFlag = std::move(flag);
    e.secondsText = std::to_string(seconds);
    e.timeText = std::to_string(seconds / 60) + ":" + (seconds % 60 < 10 ? "0" : "") +
                 std::to_string(seconds % 60);
    e.stateImage = state;
    return e;
}

inline std::vector<TSongEntry> MakeEntries(int count) {
    std::vector<TSongEntry> entries;
    for (int i = 0; i < count; ++i) {
        entries.push_back(MakeEntry("Song " + std::to_string(i) + ".mp3",
                                    "C:\\Music\\Album " + std::to_string(i % 7) + "\\",
                                    i % 3 == 0 ? "1" : "0", 100 + i, i % 3 == 0 ? 0 : -1));
    }
    return entries;
}

}  // namespace orvane
