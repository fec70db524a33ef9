#include "random_source.h"

#include <chrono>

namespace orvane {

TClockRandomSource::TClockRandomSource()
    : engine_(static_cast<std::uint32_t>(std::chrono::steady_clock::now().time_since_epoch().count()))
{
}

std::uint32_t TClockRandomSource::Below(std::uint32_t bound)
{
    if (bound <= 1) return 0;
    return std::uniform_int_distribution<std::uint32_t>(0, bound - 1)(engine_);
}

}  // namespace orvane
