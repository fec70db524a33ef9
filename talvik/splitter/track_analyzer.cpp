#include "track_analyzer.h"

#include <algorithm>
#include <optional>

#include "waveform_plot.h"

namespace talvik {

TrackAnalyzer::TrackAnalyzer()
    : buffer_(std::max(kAnalysisBlock8, kAnalysisBlock16) * kAnalysisBlocksPerRead),
      detector_(TriggerParams{}) {}

void TrackAnalyzer::analyze(TrackFile& track, const TriggerParams& params,
                            std::vector<Sound>& found, WaveImage* overview,
                            const ProgressFn& progress) {
    const std::size_t block = AnalysisBlockBytes(params.load) * kAnalysisBlocksPerRead;
    const int bps = BytesPerSample(params.load);
    detector_.reset(params);
    std::optional<WaveformPlot> plot;
    if (overview != nullptr) {
        plot.emplace(*overview, params.load, track.sizeBytes() / bps);
    }
    track.seek(0);
    std::int64_t done = 0;
    for (int blocks = 0;; ++blocks) {
        const std::size_t got = track.read(buffer_.data(), block);
        if (got == 0) {
            break;
        }
        detector_.feed(buffer_.data(), got);
        if (plot) {
            // Blocks hold whole 16-bit samples except a final odd byte, which is no sample.
            plot->offer(done / bps, buffer_.data(), static_cast<std::int64_t>(got) / bps);
        }
        done += static_cast<std::int64_t>(got);
        if (progress && blocks % 64 == 0) {
            progress(done, track.sizeBytes());
        }
    }
    if (plot) {
        plot->finish();
    }
    if (progress) {
        progress(done, track.sizeBytes());
    }
    detector_.swapSounds(found);
}

}  // namespace talvik
