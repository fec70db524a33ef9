// The recorder's settings kept in the configuration file besides the song's
// compensations: the recording format, the playback option, the panel
// positions and the wave editor.
#pragma once

#include <cstdint>
#include <string>

#include "wave_format.h"

namespace brevant {

struct PanelPosition {
    std::int32_t x = 0;
    std::int32_t y = 0;
    bool operator==(const PanelPosition&) const = default;
};

struct RecorderSettings {
    // 16 bits at every start; channels and frequency come from the file.
    WaveFormat recordFormat = WaveFormat::pcm(1, 44100, 16);
    bool monoPlaybackOption = true;
    std::string editorPath;  // empty: none
    PanelPosition transportPos{503, 80};
    PanelPosition mixerPos{0, 50};
};

// Sets channels, bits and frequency and the two values derived from them.
void setRecordFormat(RecorderSettings& settings, std::uint16_t channels, std::uint32_t frequency,
                     std::uint16_t bits);

// The frequencies the recorder offers.
bool isOfferedFrequency(std::uint32_t frequency);

}  // namespace brevant
