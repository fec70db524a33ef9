// The layout shared by takes and renders: a "WAVE" form holding an 18-byte
// "fmt " chunk and a "data" chunk left open for the samples.
#pragma once

#include <string>

#include "status.h"
#include "wave_file_writer.h"
#include "wave_format.h"

namespace brevant {

// Creates `path` and writes everything up to the open "data" chunk. On failure
// the message names the step, and the file is closed.
Status startWaveOutput(WaveFileWriter& writer, const std::string& path, const WaveFormat& format);

// Closes the "data" and RIFF chunks and the file; the message names the first
// step that failed. The file is closed in every case.
Status finishWaveOutput(WaveFileWriter& writer);

}  // namespace brevant
