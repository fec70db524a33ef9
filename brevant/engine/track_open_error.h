// The messages shown when a track cannot be opened for playing or rendering.
#pragma once

#include <string>

#include "wave_file_reader.h"

namespace brevant {

std::string trackOpenMessage(WaveOpenError error);

}  // namespace brevant
