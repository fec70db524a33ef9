// The texts the information panel shows for a frame header.
#pragma once

#include "mpeg_info.h"

#include <optional>
#include <string>

namespace orvane {

struct THeaderTexts {
    std::string version;                 // "1.0", "2.0" or "2.5"
    std::optional<std::string> layer;    // "I", "II", "III"; none leaves the label as it was
    std::string bitRate;                 // kbit/s without unit; empty when the table has none
    std::string frequency;               // "44.1 kHz" ...
};

THeaderTexts HeaderTexts(const TMpegInfo& info);

// "44.1 kHz", "22.05 kHz", "48 kHz" ...: kHz with the decimals it needs.
std::string FrequencyText(int hertz);

}  // namespace orvane
