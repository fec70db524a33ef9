// The texts of the track, found and sound labels.
#pragma once

#include <cstdint>
#include <string>

#include "sample_format.h"

namespace talvik {

// "3,  512 Kb (240 Kb)": track, file size and found sounds' total in Kb (1024 bytes);
// `foundBytes` is already doubled for 16-bit saving.
std::string TrackLabel(int track, std::int64_t fileBytes, std::int64_t foundBytes);
// "7 (9)": marked sounds, then all found.
std::string FoundLabel(int marked, int found);
// The label set when a sound is shown (analysis, View next): n is the 1-based
// number, length in samples. 16-bit saved from 16-bit shows bytes, or Kb of 500.
std::string SoundLabel(int n, std::int64_t length, SampleFormat load, SampleFormat save);
// The label View previous sets afterwards, for every format: samples, or "kb" of 1024.
std::string SoundLabelAfterPrevious(int n, std::int64_t length);

}  // namespace talvik
