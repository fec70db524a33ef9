#include "waveform_plot.h"

namespace talvik {

WaveformPlot::WaveformPlot(WaveImage& image, SampleFormat load, std::int64_t samples)
    : image_(image),
      load_(load),
      samples_(samples),
      step_(static_cast<double>(samples) / WaveImage::kWidth) {
    image_.clear();
    image_.moveTo(0, WaveImage::kHeight / 2);
}

int WaveformPlot::Row(SampleFormat load, int working) {
    const double scale = Is16Bit(load) ? 65535.0 / WaveImage::kHeight : 256.0 / WaveImage::kHeight;
    return static_cast<int>(working / scale);
}

std::int64_t WaveformPlot::nextIndex() const {
    if (column_ > WaveImage::kWidth || samples_ <= 0) {
        return -1;
    }
    return static_cast<std::int64_t>(column_ * step_);
}

void WaveformPlot::drawColumn(int working) {
    image_.lineTo(column_, Row(load_, working));
    lastWorking_ = working;
    ++column_;
}

void WaveformPlot::offer(std::int64_t first, const std::uint8_t* data, std::int64_t count) {
    for (std::int64_t want = nextIndex(); want >= first && want < first + count;
         want = nextIndex()) {
        const std::int64_t i = want - first;
        drawColumn(Is16Bit(load_) ? WorkingValue16(ReadSample16(data + 2 * i))
                                  : WorkingValue8(load_, data[i]));
    }
}

void WaveformPlot::finish() {
    while (lastWorking_ >= 0 && nextIndex() >= 0) {
        drawColumn(lastWorking_);
    }
}

}  // namespace talvik
