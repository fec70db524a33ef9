// Names of track files, per-track output directories and sound files, built from
// the edit-box texts exactly as they stand; nothing is added, removed or cut.
#pragma once

#include <string>

#include "sample_format.h"

namespace talvik {

// Separator put between a track directory and its sound files.
#ifdef _WIN32
inline constexpr char kDirSeparator = '\\';
#else
inline constexpr char kDirSeparator = '/';
#endif

// Longest whole name and longest single component the platform accepts.
#ifdef _WIN32
inline constexpr std::size_t kMaxPathLength = 259;
#else
inline constexpr std::size_t kMaxPathLength = 4095;
#endif
inline constexpr std::size_t kMaxComponentLength = 255;

// "07" for 7, "10" for 10, "100" for 100.
std::string TwoDigit(int n);

std::string TrackFileName(SampleFormat load, int track, const std::string& sourceDir);
std::string TrackDirName(const std::string& saveDir, const std::string& createDir, int track);
// soundIndex is 0-based among all sounds found in the track; the file carries soundIndex + 1.
std::string SoundFileName(const std::string& trackDir, int soundIndex, const std::string& prefix,
                          const std::string& suffix);

// Throws FileError naming the file when the name is longer than the platform takes;
// a name is never shortened into some other file's name.
void CheckNameLength(const std::string& name);

}  // namespace talvik
