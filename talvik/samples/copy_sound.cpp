#include "copy_sound.h"

#include <algorithm>
#include <stdexcept>

#include "file_error.h"
#include "replacing_file.h"
#include "sample_conversion.h"

namespace talvik {

namespace {

// Walks the sound in copy blocks; `visit` gets each block as read.
template <typename Visit>
void ForEachBlock(TrackFile& track, std::int64_t start, std::int64_t end, SampleFormat load,
                  CopyBuffer& buffer, Visit&& visit) {
    const std::int64_t bps = BytesPerSample(load);
    const std::int64_t blockSamples = static_cast<std::int64_t>(CopyBuffer::kBytes) / bps;
    track.seek(start * bps);
    for (std::int64_t remaining = end - start; remaining > 0;) {
        std::int64_t samples = std::min(remaining, blockSamples);
        auto asked = static_cast<std::size_t>(samples * bps);
        std::size_t got = track.read(buffer.data(), asked);
        std::size_t whole = got - got % static_cast<std::size_t>(bps);
        visit(buffer.data(), whole);
        if (got < asked) {
            throw FileError("Track file " + track.name() + " ends before the sound at samples " +
                            std::to_string(start) + " to " + std::to_string(end) +
                            " (was it changed after the analysis?)");
        }
        remaining -= samples;
    }
}

}  // namespace

void CopySound(TrackFile& track, std::int64_t start, std::int64_t end, SampleFormat load,
               SampleFormat save, const std::string& destination, bool maximize,
               CopyBuffer& buffer) {
    if (!CanConvert(load, save)) {
        throw std::invalid_argument("16-bit saving needs the 16-bit load format");
    }
    int peak = 0;
    if (maximize) {
        ForEachBlock(track, start, end, load, buffer, [&](const std::uint8_t* data, std::size_t n) {
            peak = std::max(peak, BlockPeak(load, data, n));
        });
    }
    ReplacingFile out(destination);
    ForEachBlock(track, start, end, load, buffer, [&](std::uint8_t* data, std::size_t n) {
        if (maximize) {
            MaximizeBlock(load, data, n, peak);
        }
        out.write(data, ConvertBlock(load, save, data, n, data));
    });
    out.commit();
}

}  // namespace talvik
