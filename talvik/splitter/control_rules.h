// The rules that keep the window's controls in step, as functions of the settings
// struct so they hold without a window: the save format chooses the suffix, an 8-bit
// load format takes the 16-bit save format away, and Endtrack never falls below
// Starttrack.
#pragma once

#include "splitter_settings.h"

namespace talvik {

// A save format button was clicked: the Savesuffix follows it.
void SaveFormatChosen(SplitterSettings& s, SampleFormat save);
// A load format button was clicked; false when the 16-bit save format is now to be
// disabled (an 8-bit track is never widened to 16 bits).
bool LoadFormatChosen(SplitterSettings& s, SampleFormat load);
// Starttrack changed: Endtrack is raised to it when below.
void StartTrackChanged(SplitterSettings& s, int startTrack);
// Endtrack changed: set back to Starttrack when below it.
void EndTrackChanged(SplitterSettings& s, int endTrack);

}  // namespace talvik
