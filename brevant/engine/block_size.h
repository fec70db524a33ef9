// The engine's unit of work: blocks of 7680 sample frames of 16-bit audio.
#pragma once

#include <cstddef>

namespace brevant {

constexpr int kBlockFrames = 7680;
constexpr std::size_t kStereoBlockBytes = kBlockFrames * 4;  // 30720
constexpr std::size_t kMonoBlockBytes = kBlockFrames * 2;    // 15360

}  // namespace brevant
