// Where the bytes that matter to the splitter lie in a run of 64-byte blocks: one bit a
// byte, bit i for byte i of the block. Built with the widest vector code the processor
// offers, so that the splitter walks line ends by their bits instead of byte by byte.
#pragma once

#include <cstddef>
#include <cstdint>

namespace nuvella {

struct LineMasks {
    std::uint64_t lineFeeds = 0;
    std::uint64_t ctrlZ = 0;
    std::uint64_t equals = 0;  // an '='
    std::uint64_t nuls = 0;
    std::uint64_t upper = 0;   // a byte of 0x80 or above
};

inline constexpr std::size_t kMaskBlock = 64;

// Masks of `blocks` whole blocks from `text`.
void buildLineMasks(const char* text, std::size_t blocks, LineMasks* out);

// Masks of the last `size` (< 64) bytes; the bits past them stay clear.
LineMasks buildTailMasks(const char* text, std::size_t size);

// The vector code buildLineMasks runs: by default the widest the processor offers. Every
// path gives the same masks.
enum class LineMaskPath { Portable, Sse2, Avx2, Avx512 };
// For tests; false when the processor or the build lacks the path.
bool setLineMaskPath(LineMaskPath path);

}  // namespace nuvella
