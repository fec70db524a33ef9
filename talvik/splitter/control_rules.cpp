#include "control_rules.h"

namespace talvik {

void SaveFormatChosen(SplitterSettings& s, SampleFormat save) {
    s.save = save;
    s.saveSuffix = std::string(SaveSuffix(save));
}

bool LoadFormatChosen(SplitterSettings& s, SampleFormat load) {
    s.load = load;
    if (Is16Bit(load)) {
        return true;
    }
    if (Is16Bit(s.save)) {
        SaveFormatChosen(s, SampleFormat::Raw8);
    }
    return false;
}

void StartTrackChanged(SplitterSettings& s, int startTrack) {
    s.startTrack = startTrack;
    if (s.endTrack < startTrack) {
        s.endTrack = startTrack;
    }
}

void EndTrackChanged(SplitterSettings& s, int endTrack) {
    s.endTrack = endTrack < s.startTrack ? s.startTrack : endTrack;
}

}  // namespace talvik
