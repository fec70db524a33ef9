// Songs of generated tracks for the engine's tests.
#pragma once

#include <string>
#include <vector>

#include "song.h"
#include "wave_test_files.h"

namespace brevant::testing {

// Samples counting up from `first` (wrapping within 16 bits), so a sample's
// value tells where in the file it came from.
inline std::vector<std::int16_t> ramp(std::size_t n, int first = 1) {
    std::vector<std::int16_t> v(n);
    for (std::size_t i = 0; i < n; ++i) v[i] = static_cast<std::int16_t>((first + static_cast<int>(i)) & 0x7FFF);
    return v;
}

inline void addTrack(Song& song, const std::string& path, bool stereo) {
    Track& t = song.track(song.trackCount);
    t = Track{};
    t.fileName = path;
    t.stereo = stereo ? 1 : 0;
    t.listIndex = song.trackCount;
    song.trackCount = static_cast<std::int16_t>(song.trackCount + 1);
}

inline std::string makeTrack(const TempDir& dir, Song& song, const std::string& name, bool stereo,
                             std::uint32_t frequency, const std::vector<std::int16_t>& samples) {
    const std::string path = dir.file(name);
    writeWave(path, stereo ? 2 : 1, frequency, samples);
    addTrack(song, path, stereo);
    return path;
}

}  // namespace brevant::testing
