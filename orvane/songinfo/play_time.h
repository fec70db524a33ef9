// Play time in whole seconds and its shown text.
#pragma once

#include <cstdint>
#include <string>

namespace orvane {

// Rounds a play time given in minutes the way the list has always shown it:
// whole minutes to the nearest (ties to even), then the seconds.
std::int32_t RoundPlayTime(double minutes);

// "%2d hours %2d mins %2d secs", "%2d mins %2d secs" or "%2d secs".
// A negative time (a damaged set entry) shows as 0.
std::string FormatPlayTime(std::int64_t seconds);

}  // namespace orvane
