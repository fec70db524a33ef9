// Mixing one block of the tracks into 16-bit output.
//
// Per output sample: the sum over the unmuted tracks of sample x gain, divided
// by mixDivisor (32-bit signed division truncating toward zero), then held
// within -32768..32767 (a loud passage clips rather than wrapping around).
#pragma once

#include <cstdint>
#include <span>

namespace brevant {

struct MixInput {
    const std::int16_t* samples;  // interleaved L R when stereo
    bool stereo;
    std::int16_t gainLeft;
    std::int16_t gainRight;
    std::int16_t gainMono;
};

// Stereo output: a stereo track adds L x gainLeft and R x gainRight; a mono
// track adds s x gainLeft and s x gainRight. `out` holds 2 x frames samples.
void mixStereo(std::span<const MixInput> inputs, std::int16_t mixDivisor, std::int16_t* out, int frames);

// Mono output (playback while recording): a stereo track adds
// (L + R) x (gainMono / 2), a mono track s x gainMono. `out` holds `frames` samples.
void mixMono(std::span<const MixInput> inputs, std::int16_t mixDivisor, std::int16_t* out, int frames);

// The vector code the mixer runs: by default the widest the processor offers.
// Every path gives the same samples.
enum class MixerPath { Baseline = 0, Avx2 = 1, Avx512 = 2 };
MixerPath mixerPath();
// For tests and benchmarks; false when the processor lacks the path.
bool setMixerPath(MixerPath path);

}  // namespace brevant
