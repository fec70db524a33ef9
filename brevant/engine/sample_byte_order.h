// Swaps 16-bit samples between little-endian (files, devices) and the machine's order.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>

namespace brevant {

// The same swap serves both directions; on a little-endian machine it does nothing.
inline void swapLittleEndianSamples(std::int16_t* samples, std::size_t count) {
    if constexpr (std::endian::native == std::endian::big) {
        for (std::size_t i = 0; i < count; ++i) {
            const auto u = static_cast<std::uint16_t>(samples[i]);
            samples[i] = static_cast<std::int16_t>(static_cast<std::uint16_t>((u >> 8) | (u << 8)));
        }
    } else {
        (void)samples;
        (void)count;
    }
}

}  // namespace brevant
