// Converts a track of another sample format to a 16-bit PCM file beside it, for a song whose
// tracks are all 16-bit PCM. The original is never written to.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "status.h"

namespace brevant {

struct TrackConversion {
    Status status = Status::ok();
    std::string convertedPath;  // the new file, when it was written
    std::uint64_t clipped = 0;  // float samples beyond full scale, set to full scale
    bool stopped = false;       // the progress callback stopped it; no file was left
};

// What the user is told when a conversion clipped samples (`clipped` > 0).
std::string clipReport(std::uint64_t clipped);

// Beside "take.wav": "take (16-bit).wav", or "take (16-bit 2).wav" and on when that exists.
std::string convertedTrackName(const std::string& path);

// Whether the file is a track the song can take after converting it: nothing to say when it
// can, else the message for the user (another frequency names both).
Status checkConvertibleTrack(const std::string& path, std::uint32_t songFrequency);

// Converts at the song's frequency, dithered unless `dither` is false. `progress` is told the
// bytes done and the total now and then, and stops the conversion when it returns false; the
// new file is written under a temporary name and renamed only once it is complete.
using ConversionProgress = std::function<bool(std::uint64_t done, std::uint64_t total)>;
TrackConversion convertTrackTo16Bit(const std::string& path, std::uint32_t songFrequency,
                                    const ConversionProgress& progress = {}, bool dither = true);

}  // namespace brevant
