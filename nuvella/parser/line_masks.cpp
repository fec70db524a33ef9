#include "line_masks.h"

#include <atomic>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
// The wider paths only where the compiler keeps 32- and 64-byte vectors aligned on the
// stack (not on Windows, where it does not).
#if defined(__GNUC__) && defined(__x86_64__) && !defined(_WIN32)
#define NUVELLA_WIDE_MASKS 1
#include <immintrin.h>
#endif

namespace nuvella {

LineMasks buildTailMasks(const char* text, std::size_t size) {
    LineMasks m;
    for (std::size_t i = 0; i < size && i < kMaskBlock; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        const std::uint64_t bit = std::uint64_t{1} << i;
        if (c == '\n')
            m.lineFeeds |= bit;
        if (c == 0x1A)
            m.ctrlZ |= bit;
        if (c == '=')
            m.equals |= bit;
        if (c == 0)
            m.nuls |= bit;
        if (c >= 0x80)
            m.upper |= bit;
    }
    return m;
}

namespace {

#if defined(__SSE2__)
void buildSse2(const char* text, std::size_t blocks, LineMasks* out) {
    const __m128i lineFeed = _mm_set1_epi8('\n');
    const __m128i ctrlZ = _mm_set1_epi8(0x1A);
    const __m128i equalsSign = _mm_set1_epi8('=');
    const __m128i zero = _mm_setzero_si128();
    for (std::size_t b = 0; b < blocks; ++b, text += kMaskBlock) {
        LineMasks m;
        for (int q = 0; q < 4; ++q) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + 16 * q));
            auto bits = [q](__m128i mask) {
                return static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(mask)))
                       << (16 * q);
            };
            m.lineFeeds |= bits(_mm_cmpeq_epi8(v, lineFeed));
            m.ctrlZ |= bits(_mm_cmpeq_epi8(v, ctrlZ));
            m.equals |= bits(_mm_cmpeq_epi8(v, equalsSign));
            m.nuls |= bits(_mm_cmpeq_epi8(v, zero));
            m.upper |= bits(v);
        }
        out[b] = m;
    }
}
#endif

#if defined(NUVELLA_WIDE_MASKS)
__attribute__((target("avx2"))) void buildAvx2(const char* text, std::size_t blocks,
                                               LineMasks* out) {
    const __m256i lineFeed = _mm256_set1_epi8('\n');
    const __m256i ctrlZ = _mm256_set1_epi8(0x1A);
    const __m256i equalsSign = _mm256_set1_epi8('=');
    const __m256i zero = _mm256_setzero_si256();
    for (std::size_t b = 0; b < blocks; ++b, text += kMaskBlock) {
        const __m256i lo = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(text));
        const __m256i hi = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(text + 32));
        auto bits = [](__m256i low, __m256i high) __attribute__((target("avx2"))) {
            return static_cast<std::uint64_t>(static_cast<unsigned>(_mm256_movemask_epi8(low))) |
                   static_cast<std::uint64_t>(static_cast<unsigned>(_mm256_movemask_epi8(high)))
                       << 32;
        };
        out[b].lineFeeds = bits(_mm256_cmpeq_epi8(lo, lineFeed), _mm256_cmpeq_epi8(hi, lineFeed));
        out[b].ctrlZ = bits(_mm256_cmpeq_epi8(lo, ctrlZ), _mm256_cmpeq_epi8(hi, ctrlZ));
        out[b].equals = bits(_mm256_cmpeq_epi8(lo, equalsSign), _mm256_cmpeq_epi8(hi, equalsSign));
        out[b].nuls = bits(_mm256_cmpeq_epi8(lo, zero), _mm256_cmpeq_epi8(hi, zero));
        out[b].upper = bits(lo, hi);
    }
}

__attribute__((target("avx512bw"))) void buildAvx512(const char* text, std::size_t blocks,
                                                     LineMasks* out) {
    const __m512i lineFeed = _mm512_set1_epi8('\n');
    const __m512i ctrlZ = _mm512_set1_epi8(0x1A);
    const __m512i equalsSign = _mm512_set1_epi8('=');
    const __m512i zero = _mm512_setzero_si512();
    for (std::size_t b = 0; b < blocks; ++b, text += kMaskBlock) {
        const __m512i v = _mm512_loadu_si512(text);
        out[b].lineFeeds = _mm512_cmpeq_epi8_mask(v, lineFeed);
        out[b].ctrlZ = _mm512_cmpeq_epi8_mask(v, ctrlZ);
        out[b].equals = _mm512_cmpeq_epi8_mask(v, equalsSign);
        out[b].nuls = _mm512_cmpeq_epi8_mask(v, zero);
        out[b].upper = _mm512_movepi8_mask(v);
    }
}
#endif

void buildPortable(const char* text, std::size_t blocks, LineMasks* out) {
    for (std::size_t b = 0; b < blocks; ++b)
        out[b] = buildTailMasks(text + b * kMaskBlock, kMaskBlock);
}

using Builder = void (*)(const char*, std::size_t, LineMasks*);

Builder builderFor(LineMaskPath path) {
    switch (path) {
        case LineMaskPath::Portable:
            return buildPortable;
        case LineMaskPath::Sse2:
#if defined(__SSE2__)
            return buildSse2;
#else
            return nullptr;
#endif
        case LineMaskPath::Avx2:
#if defined(NUVELLA_WIDE_MASKS)
            return __builtin_cpu_supports("avx2") ? buildAvx2 : nullptr;
#else
            return nullptr;
#endif
        case LineMaskPath::Avx512:
#if defined(NUVELLA_WIDE_MASKS)
            return __builtin_cpu_supports("avx512bw") ? buildAvx512 : nullptr;
#else
            return nullptr;
#endif
    }
    return nullptr;
}

Builder widestBuilder() {
    for (const LineMaskPath path :
         {LineMaskPath::Avx512, LineMaskPath::Avx2, LineMaskPath::Sse2, LineMaskPath::Portable}) {
        if (const Builder b = builderFor(path))
            return b;
    }
    return buildPortable;
}

std::atomic<Builder> chosen{widestBuilder()};

}  // namespace

bool setLineMaskPath(LineMaskPath path) {
    const Builder b = builderFor(path);
    if (b != nullptr)
        chosen.store(b, std::memory_order_relaxed);
    return b != nullptr;
}

void buildLineMasks(const char* text, std::size_t blocks, LineMasks* out) {
    chosen.load(std::memory_order_relaxed)(text, blocks, out);
}

}  // namespace nuvella
