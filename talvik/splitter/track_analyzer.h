// One pass over a track file: finds its sounds and draws its overview from the same
// blocks. The block buffer and the detector are made once and reused for every track.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "sound_detector.h"
#include "track_file.h"
#include "wave_image.h"

namespace talvik {

// Bytes done and bytes in all, for a progress display.
using ProgressFn = std::function<void(std::int64_t, std::int64_t)>;

class TrackAnalyzer {
  public:
    TrackAnalyzer();

    // Reads `track` from its first byte to its end in analysis blocks. The sounds
    // found are swapped into `found`; `overview` (may be null) gets the whole track.
    void analyze(TrackFile& track, const TriggerParams& params, std::vector<Sound>& found,
                 WaveImage* overview, const ProgressFn& progress = {});

    // The block buffer, lent to the sound view's drawing.
    std::vector<std::uint8_t>& buffer() { return buffer_; }

  private:
    std::vector<std::uint8_t> buffer_;
    SoundDetector detector_;
};

}  // namespace talvik
