#include "play_time.h"

#include <cmath>
#include <cstdio>
#include <limits>

namespace orvane {

std::int32_t RoundPlayTime(double minutes)
{
    if (!(minutes > 0)) return 0;  // also NaN
    const double wholeMinutes = std::nearbyint(minutes);
    const double seconds = std::nearbyint((minutes - wholeMinutes) * 60 + wholeMinutes * 60);
    if (seconds >= static_cast<double>(std::numeric_limits<std::int32_t>::max())) {
        return std::numeric_limits<std::int32_t>::max();
    }
    return static_cast<std::int32_t>(seconds);
}

std::string FormatPlayTime(std::int64_t seconds)
{
    if (seconds < 0) seconds = 0;
    char text[64];
    const auto s = static_cast<long long>(seconds);
    if (s >= 3600) {
        std::snprintf(text, sizeof text, "%2lld hours %2lld mins %2lld secs", s / 3600, (s / 60) % 60, s % 60);
    } else if (s >= 60) {
        std::snprintf(text, sizeof text, "%2lld mins %2lld secs", s / 60, s % 60);
    } else {
        std::snprintf(text, sizeof text, "%2lld secs", s % 60);
    }
    return text;
}

}  // namespace orvane
