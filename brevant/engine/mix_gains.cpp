#include "mix_gains.h"

#include <algorithm>

namespace brevant {

MixGains recomputeGains(const Song& song) {
    MixGains gains;
    const int count = std::clamp<int>(song.trackCount, 0, kMaxTracks);
    // 32-bit floating point throughout, truncating toward zero: the gains must
    // come out exactly as the recorder has always computed them.
    const float m = static_cast<float>(std::clamp(song.boost, 0, 100)) / 20.0f + 1.0f;
    for (int i = 0; i < count; ++i) {
        const Track& t = song.track(i);
        const int v = std::clamp<int>(t.volume, 0, 100);
        const int p = std::clamp<int>(t.pan, 0, 200);
        const float g = static_cast<float>(v) * m;
        const auto G = static_cast<std::int16_t>(static_cast<int>(g));
        std::int16_t left = G;
        std::int16_t right = G;
        if (p > 100) {
            left = static_cast<std::int16_t>(G - static_cast<int>(g * (static_cast<float>(p - 100) / 100.0f)));
        } else if (p < 100) {
            right = static_cast<std::int16_t>(G - static_cast<int>(g * (static_cast<float>(100 - p) / 100.0f)));
        }
        const auto slot = static_cast<std::size_t>(i);
        gains.gainMono[slot] = G;
        gains.gainLeft[slot] = left;
        gains.gainRight[slot] = right;
    }
    gains.mixDivisor = static_cast<std::int16_t>(count * 100);
    return gains;
}

}  // namespace brevant
