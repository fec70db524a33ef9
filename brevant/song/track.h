// One track of a song: a 16-bit PCM WAVE file on disk and its mix settings.
#pragma once

#include <cstdint>
#include <string>

namespace brevant {

struct Track {
    std::string fileName;         // full path of the WAVE file
    std::int16_t volume = 100;    // 0..100
    std::int16_t pan = 100;       // 0..200, 100 is centre; shown as pan - 100
    std::int32_t listIndex = 0;   // index of the track's entry in the track list
    std::int32_t muted = 0;       // 0 or 1
    std::int32_t stereo = 0;      // channels - 1

    bool isStereo() const { return stereo != 0; }
    bool operator==(const Track&) const = default;
};

}  // namespace brevant
