// Draws `count` samples of a track file from sample `first` on, reading it block by
// block; blocks that hold no drawn sample are skipped by seeking.
#pragma once

#include <cstdint>
#include <vector>

#include "sample_format.h"
#include "track_file.h"
#include "wave_image.h"

namespace talvik {

// `buffer` must hold AnalysisBlockBytes(load) bytes; it is the caller's, reused.
void DrawTrackRange(TrackFile& track, SampleFormat load, std::int64_t first, std::int64_t count,
                    WaveImage& image, std::vector<std::uint8_t>& buffer);

}  // namespace talvik
