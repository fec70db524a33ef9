#include "draw_range.h"

#include "waveform_plot.h"

namespace talvik {

void DrawTrackRange(TrackFile& track, SampleFormat load, std::int64_t first, std::int64_t count,
                    WaveImage& image, std::vector<std::uint8_t>& buffer) {
    WaveformPlot plot(image, load, count);
    const std::int64_t bps = BytesPerSample(load);
    const auto blockBytes = static_cast<std::int64_t>(AnalysisBlockBytes(load));
    const std::int64_t blockSamples = blockBytes / bps;
    for (std::int64_t want = plot.nextIndex(); want >= 0; want = plot.nextIndex()) {
        const std::int64_t blockFirst = want / blockSamples * blockSamples;
        track.seek((first + blockFirst) * bps);
        const std::size_t got = track.read(buffer.data(), static_cast<std::size_t>(blockBytes));
        const std::int64_t samples = static_cast<std::int64_t>(got) / bps;
        plot.offer(blockFirst, buffer.data(), samples);
        if (samples < blockSamples) {
            break;  // end of file
        }
    }
    plot.finish();
}

}  // namespace talvik
