// Writes every marked sound of a track to a file of its own, in a directory of the track.
#pragma once

#include <string>

#include "beeper.h"
#include "copy_sound.h"
#include "sound_table.h"
#include "splitter_settings.h"
#include "track_analyzer.h"

namespace talvik {

// Returns the number of files written. Sound files keep the number of the sound
// among all found, so unmarked sounds leave gaps. Throws FileError on the first
// failure; files written before it stay.
int SplitAndSave(const std::string& trackFileName, SampleFormat load, int track,
                 const SoundTable& sounds, const SplitterSettings& settings, CopyBuffer& buffer,
                 Beeper& beeper, const ProgressFn& progress = {});

}  // namespace talvik
