// Turns the result buffer of the multiple-selection open dialog into full paths.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace nuvella {

struct OpenSelection {
    std::vector<std::string> paths;
    std::vector<std::string> skipped;  // names whose joined path would not fit
};

// Joined paths are built in a 255-byte buffer, so one longer than 254 characters is skipped.
inline constexpr std::size_t kJoinedPathCapacity = 255;

// One file: the buffer holds its full path, at least as long as the name offset. Several:
// the directory, a NUL, each name followed by a NUL, then an empty name. A buffer without
// its terminating NULs ends at `size`.
OpenSelection parseOpenSelection(const char* buffer, std::size_t size, std::size_t fileOffset);

}  // namespace nuvella
