// Per-track gains derived from volume, pan and the song's boost. The only
// floating point of the mix: the sample arithmetic itself is integer.
#pragma once

#include <array>
#include <cstdint>

#include "song.h"

namespace brevant {

struct MixGains {
    std::array<std::int16_t, kMaxTracks> gainLeft{};
    std::array<std::int16_t, kMaxTracks> gainRight{};
    std::array<std::int16_t, kMaxTracks> gainMono{};
    std::int16_t mixDivisor = 0;  // trackCount x 100; muted tracks count
};

// Volume, pan and boost out of their ranges (a damaged project file) are held
// at the range ends, so that no gain overflows.
MixGains recomputeGains(const Song& song);

}  // namespace brevant
