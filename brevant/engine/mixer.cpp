#include "mixer.h"

#include <algorithm>
#include <array>
#include <atomic>

#if defined(__GNUC__) && defined(__x86_64__) && !defined(_WIN32)
#include <immintrin.h>
#endif

namespace brevant {

namespace {

// Output is produced in chunks whose 32-bit sums stay in the first-level cache
// while every track is added in; the loops are plain fixed-stride loops over
// 16-bit samples so that the compiler turns them into vector code.
constexpr int kChunkFrames = 256;

// Sums never overflow 32 bits: 10 tracks x 32768 x 600 (volume 100, boost 100).
inline std::int16_t saturate(std::int32_t v) {
    return static_cast<std::int16_t>(std::clamp<std::int32_t>(v, -32768, 32767));
}

// D is the divisor when it is one of the values trackCount x 100 can take (the
// division by a constant then vectorises); 0 selects division by `divisor`.
template <int D>
inline std::int32_t divide(std::int32_t v, std::int32_t divisor) {
    if constexpr (D == 0) {
        return v / divisor;
    } else {
        return v / D;
    }
}

// Gains are 16-bit like the samples, so that each product is a 16 x 16 -> 32
// bit multiply, which vector units do directly.
[[gnu::always_inline]] inline void addStereoToStereo(std::int32_t* __restrict acc,
                                                     const std::int16_t* __restrict s,
                                                     std::int16_t gl, std::int16_t gr, int frames) {
    for (int k = 0; k < frames; ++k) {
        acc[2 * k] += s[2 * k] * gl;
        acc[2 * k + 1] += s[2 * k + 1] * gr;
    }
}

[[gnu::always_inline]] inline void addMonoToStereo(std::int32_t* __restrict acc,
                                                   const std::int16_t* __restrict s,
                                                   std::int16_t gl, std::int16_t gr, int frames) {
    for (int k = 0; k < frames; ++k) {
        acc[2 * k] += s[k] * gl;
        acc[2 * k + 1] += s[k] * gr;
    }
}

[[gnu::always_inline]] inline void addStereoToMono(std::int32_t* __restrict acc,
                                                   const std::int16_t* __restrict s, std::int16_t g,
                                                   int frames) {
    for (int k = 0; k < frames; ++k) acc[k] += s[2 * k] * g + s[2 * k + 1] * g;
}

[[gnu::always_inline]] inline void addMonoToMono(std::int32_t* __restrict acc,
                                                 const std::int16_t* __restrict s, std::int16_t g,
                                                 int frames) {
    for (int k = 0; k < frames; ++k) acc[k] += s[k] * g;
}

template <int D>
[[gnu::always_inline]] inline void narrow(const std::int32_t* __restrict acc,
                                          std::int16_t* __restrict out, int n,
                                          std::int32_t divisor) {
    for (int j = 0; j < n; ++j) out[j] = saturate(divide<D>(acc[j], divisor));
}

template <int D>
[[gnu::always_inline]] inline void stereoKernel(std::span<const MixInput> inputs,
                                                std::int32_t divisor, std::int16_t* out,
                                                int frames) {
    alignas(64) std::int32_t acc[2 * kChunkFrames];
    for (int base = 0; base < frames; base += kChunkFrames) {
        const int len = std::min(kChunkFrames, frames - base);
        std::fill(acc, acc + 2 * len, 0);
        for (const MixInput& in : inputs) {
            if (in.stereo) {
                addStereoToStereo(acc, in.samples + 2 * base, in.gainLeft, in.gainRight, len);
            } else {
                addMonoToStereo(acc, in.samples + base, in.gainLeft, in.gainRight, len);
            }
        }
        narrow<D>(acc, out + 2 * base, 2 * len, divisor);
    }
}

template <int D>
[[gnu::always_inline]] inline void monoKernel(std::span<const MixInput> inputs,
                                              std::int32_t divisor, std::int16_t* out, int frames) {
    alignas(64) std::int32_t acc[kChunkFrames];
    for (int base = 0; base < frames; base += kChunkFrames) {
        const int len = std::min(kChunkFrames, frames - base);
        std::fill(acc, acc + len, 0);
        for (const MixInput& in : inputs) {
            if (in.stereo) {
                // The halving is an integer division, truncating toward zero.
                addStereoToMono(acc, in.samples + 2 * base,
                                static_cast<std::int16_t>(in.gainMono / 2), len);
            } else {
                addMonoToMono(acc, in.samples + base, in.gainMono, len);
            }
        }
        narrow<D>(acc, out + base, len, divisor);
    }
}

template <template <int> class Kernel>
void dispatch(std::span<const MixInput> inputs, std::int16_t divisor, std::int16_t* out,
              int frames) {
    switch (divisor) {
        case 100:
            Kernel<100>::run(inputs, divisor, out, frames);
            break;
        case 200:
            Kernel<200>::run(inputs, divisor, out, frames);
            break;
        case 300:
            Kernel<300>::run(inputs, divisor, out, frames);
            break;
        case 400:
            Kernel<400>::run(inputs, divisor, out, frames);
            break;
        case 500:
            Kernel<500>::run(inputs, divisor, out, frames);
            break;
        case 600:
            Kernel<600>::run(inputs, divisor, out, frames);
            break;
        case 700:
            Kernel<700>::run(inputs, divisor, out, frames);
            break;
        case 800:
            Kernel<800>::run(inputs, divisor, out, frames);
            break;
        case 900:
            Kernel<900>::run(inputs, divisor, out, frames);
            break;
        case 1000:
            Kernel<1000>::run(inputs, divisor, out, frames);
            break;
        default:
            Kernel<0>::run(inputs, divisor, out, frames);
            break;
    }
}

// Each kernel is also built for the wider vector units of newer x86-64
// processors and chosen at run time. Not on Windows: its compilers do not keep
// the stack aligned for 256-bit spills.
#if defined(__GNUC__) && defined(__x86_64__) && !defined(_WIN32)
#define BREVANT_WIDE_KERNELS 1
#endif

using VectorUnit = MixerPath;

VectorUnit widestUnit() {
#ifdef BREVANT_WIDE_KERNELS
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx512bw") && __builtin_cpu_supports("avx512vl"))
        return VectorUnit::Avx512;
    if (__builtin_cpu_supports("avx2"))
        return VectorUnit::Avx2;
#endif
    return VectorUnit::Baseline;
}

std::atomic<VectorUnit>& chosenUnit() {
    static std::atomic<VectorUnit> unit{widestUnit()};
    return unit;
}

VectorUnit vectorUnit() {
    return chosenUnit().load(std::memory_order_relaxed);
}

#ifdef BREVANT_WIDE_KERNELS
// The stereo mix on 512-bit vectors, two tracks per multiply: the samples of
// two tracks are interleaved and one multiply-add gives a x gainA + b x gainB
// in 32 bits. The sums come out in the interleave's order; the final pack
// (which also holds them within 16 bits) puts them back in place. The same
// integers as the plain rule: only the order of exact additions differs.
[[gnu::target("avx512f,avx512bw,avx512vl,avx2")]] inline __m512i stereoSamples512(
    const MixInput& in, int frame) {
    if (in.stereo)
        return _mm512_loadu_si512(in.samples + 2 * frame);
    // A mono sample feeds both channels: each 32-bit lane holds it twice.
    // (The zero-masked forms: GCC 12 warns falsely inside the plain ones.)
    const __m512i z = _mm512_maskz_cvtepu16_epi32(
        0xFFFF, _mm256_loadu_si256(reinterpret_cast<const __m256i*>(in.samples + frame)));
    return _mm512_or_si512(z, _mm512_maskz_slli_epi32(0xFFFF, z, 16));
}

[[gnu::target("avx512f,avx512bw,avx512vl,avx2")]] inline __m512i pairGains512(const MixInput& a,
                                                                              const MixInput* b) {
    const auto half = [](std::int16_t g) {
        return static_cast<std::uint32_t>(static_cast<std::uint16_t>(g));
    };
    const std::uint32_t left = half(a.gainLeft) | (b != nullptr ? half(b->gainLeft) << 16 : 0u);
    const std::uint32_t right = half(a.gainRight) | (b != nullptr ? half(b->gainRight) << 16 : 0u);
    return _mm512_set1_epi64(static_cast<long long>((std::uint64_t{right} << 32) | left));
}

template <int D>
[[gnu::target("avx512f,avx512bw,avx512vl,avx2")]] void stereoPairs512(
    std::span<const MixInput> inputs, std::int32_t divisor, std::int16_t* out, int frames) {
    constexpr int kStep = 16;  // frames per vector
    const int vectorFrames = frames - frames % kStep;
    alignas(64) std::int32_t lo[kChunkFrames];
    alignas(64) std::int32_t hi[kChunkFrames];
    for (int base = 0; base < vectorFrames; base += kChunkFrames) {
        const int steps = std::min(kChunkFrames, vectorFrames - base) / kStep;
        for (int v = 0; v < steps; ++v) {
            _mm512_store_si512(lo + kStep * v, _mm512_setzero_si512());
            _mm512_store_si512(hi + kStep * v, _mm512_setzero_si512());
        }
        for (std::size_t t = 0; t < inputs.size(); t += 2) {
            const MixInput& a = inputs[t];
            const MixInput* b = t + 1 < inputs.size() ? &inputs[t + 1] : nullptr;
            const __m512i gains = pairGains512(a, b);
            for (int v = 0; v < steps; ++v) {
                const int frame = base + kStep * v;
                const __m512i sa = stereoSamples512(a, frame);
                const __m512i sb =
                    b != nullptr ? stereoSamples512(*b, frame) : _mm512_setzero_si512();
                const __m512i l = _mm512_madd_epi16(_mm512_unpacklo_epi16(sa, sb), gains);
                const __m512i h = _mm512_madd_epi16(_mm512_unpackhi_epi16(sa, sb), gains);
                _mm512_store_si512(lo + kStep * v,
                                   _mm512_add_epi32(_mm512_load_si512(lo + kStep * v), l));
                _mm512_store_si512(hi + kStep * v,
                                   _mm512_add_epi32(_mm512_load_si512(hi + kStep * v), h));
            }
        }
        for (int j = 0; j < kStep * steps; ++j) {
            lo[j] = divide<D>(lo[j], divisor);
            hi[j] = divide<D>(hi[j], divisor);
        }
        for (int v = 0; v < steps; ++v) {
            const __m512i packed = _mm512_packs_epi32(_mm512_load_si512(lo + kStep * v),
                                                      _mm512_load_si512(hi + kStep * v));
            _mm512_storeu_si512(out + 2 * (base + kStep * v), packed);
        }
    }
    if (vectorFrames == frames)
        return;
    // The last few frames by the plain rule.
    std::array<MixInput, 16> rest{};
    std::size_t n = 0;
    for (const MixInput& in : inputs) {
        if (n == rest.size())
            break;
        rest[n] = in;
        rest[n].samples += static_cast<std::ptrdiff_t>(vectorFrames) * (in.stereo ? 2 : 1);
        ++n;
    }
    stereoKernel<D>({rest.data(), n}, divisor, out + 2 * vectorFrames, frames - vectorFrames);
}
#endif

template <int D>
struct StereoKernel {
    static void run(std::span<const MixInput> in, std::int32_t d, std::int16_t* out, int frames) {
        switch (vectorUnit()) {
#ifdef BREVANT_WIDE_KERNELS
            case VectorUnit::Avx512:
                wide512(in, d, out, frames);
                return;
            case VectorUnit::Avx2:
                wide256(in, d, out, frames);
                return;
#endif
            default:
                stereoKernel<D>(in, d, out, frames);
                return;
        }
    }
#ifdef BREVANT_WIDE_KERNELS
    [[gnu::target("avx512f,avx512bw,avx512vl,avx2")]] static void wide512(
        std::span<const MixInput> in, std::int32_t d, std::int16_t* out, int frames) {
        stereoPairs512<D>(in, d, out, frames);
    }
    [[gnu::target("avx2")]] static void wide256(std::span<const MixInput> in, std::int32_t d,
                                                std::int16_t* out, int frames) {
        stereoKernel<D>(in, d, out, frames);
    }
#endif
};

template <int D>
struct MonoKernel {
    static void run(std::span<const MixInput> in, std::int32_t d, std::int16_t* out, int frames) {
        switch (vectorUnit()) {
#ifdef BREVANT_WIDE_KERNELS
            case VectorUnit::Avx512:
                wide512(in, d, out, frames);
                return;
            case VectorUnit::Avx2:
                wide256(in, d, out, frames);
                return;
#endif
            default:
                monoKernel<D>(in, d, out, frames);
                return;
        }
    }
#ifdef BREVANT_WIDE_KERNELS
    [[gnu::target("avx512f,avx512bw,avx512vl,avx2")]] static void wide512(
        std::span<const MixInput> in, std::int32_t d, std::int16_t* out, int frames) {
        monoKernel<D>(in, d, out, frames);
    }
    [[gnu::target("avx2")]] static void wide256(std::span<const MixInput> in, std::int32_t d,
                                                std::int16_t* out, int frames) {
        monoKernel<D>(in, d, out, frames);
    }
#endif
};

}  // namespace

MixerPath mixerPath() {
    return vectorUnit();
}

bool setMixerPath(MixerPath path) {
    if (static_cast<int>(path) > static_cast<int>(widestUnit()))
        return false;
    chosenUnit().store(path);
    return true;
}

void mixStereo(std::span<const MixInput> inputs, std::int16_t mixDivisor, std::int16_t* out,
               int frames) {
    // Without tracks there is nothing to divide by: the output is silence.
    if (mixDivisor <= 0) {
        std::fill(out, out + 2 * frames, std::int16_t{0});
        return;
    }
    dispatch<StereoKernel>(inputs, mixDivisor, out, frames);
}

void mixMono(std::span<const MixInput> inputs, std::int16_t mixDivisor, std::int16_t* out,
             int frames) {
    if (mixDivisor <= 0) {
        std::fill(out, out + frames, std::int16_t{0});
        return;
    }
    dispatch<MonoKernel>(inputs, mixDivisor, out, frames);
}

}  // namespace brevant
