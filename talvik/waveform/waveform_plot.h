// Draws N samples of a track into a WaveImage: column x shows the sample at index
// trunc(x * N / Width), for x from 0 to Width, joined by a white line. Samples are
// offered block by block as the track is read, so the overview is drawn during the
// analysis pass without reading the file twice.
#pragma once

#include <cstddef>
#include <cstdint>

#include "sample_format.h"
#include "wave_image.h"

namespace talvik {

class WaveformPlot {
  public:
    // Clears the image and starts a plot of `samples` samples.
    WaveformPlot(WaveImage& image, SampleFormat load, std::int64_t samples);

    // Index, counted from the first plotted sample, of the next sample wanted;
    // -1 when every column is drawn.
    std::int64_t nextIndex() const;
    // Offers `count` samples starting at index `first`; draws every column they cover.
    void offer(std::int64_t first, const std::uint8_t* data, std::int64_t count);
    // Columns whose sample lies beyond the data read repeat the last sample drawn
    // (the last column asks for sample N, one past the end).
    void finish();

    // Row of a working value: w / (256 / Height) or w / (65535 / Height), truncated.
    static int Row(SampleFormat load, int working);

  private:
    void drawColumn(int working);

    WaveImage& image_;
    SampleFormat load_;
    std::int64_t samples_;
    double step_;
    int column_ = 0;
    int lastWorking_ = -1;
};

}  // namespace talvik
