#include "recorder_settings.h"

namespace brevant {

void setRecordFormat(RecorderSettings& settings, std::uint16_t channels, std::uint32_t frequency,
                     std::uint16_t bits) {
    settings.recordFormat = WaveFormat::pcm(channels, frequency, bits);
}

bool isOfferedFrequency(std::uint32_t frequency) {
    for (std::uint32_t f : {8000u, 11025u, 22050u, 44100u, 48000u}) {
        if (f == frequency) return true;
    }
    return false;
}

}  // namespace brevant
