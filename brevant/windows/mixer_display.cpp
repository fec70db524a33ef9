#include "mixer_display.h"

#include <algorithm>

namespace brevant {
namespace {

StripDisplay stripOf(const Track& track) {
    StripDisplay strip;
    strip.enabled = true;
    strip.volumePosition = 100 - track.volume;
    strip.panPosition = track.pan;
    strip.muted = track.muted != 0;
    strip.volumeText = std::to_string(track.volume);
    strip.panText = std::to_string(track.pan - 100);
    return strip;
}

}  // namespace

MixerDisplay mixerDisplay(const Song& song, const RecorderSettings& settings) {
    MixerDisplay display;
    for (int k = 0; k < kChannelStrips; ++k) {
        if (k < song.trackCount)
            display.strips[static_cast<std::size_t>(k)] = stripOf(song.track(k));
    }
    SelectedDisplay& selected = display.selected;
    if (song.currentTrack >= 0 && song.currentTrack < song.trackCount) {
        const Track& track = song.track(song.currentTrack);
        selected.enabled = true;
        selected.volumePosition = 100 - track.volume;
        selected.panPosition = track.pan;
        selected.muted = track.muted != 0;
        selected.volumeText = " Volume: " + std::to_string(track.volume);
        selected.panText = " Pan: " + std::to_string(track.pan - 100);
        selected.boostPosition = 100 - song.boost;
        selected.boostText = " Boost: " + std::to_string(song.boost);
    }
    display.statusParts = {"Freq: " + std::to_string(settings.recordFormat.samplesPerSec),
                           settings.recordFormat.channels == 2 ? "Stereo" : "Mono",
                           "Tracks: " + std::to_string(song.trackCount)};
    return display;
}

std::array<int, 3> statusPartEdges(int clientWidth) {
    return {clientWidth / 3, clientWidth * 2 / 3, clientWidth};
}

std::optional<std::string> toolTipText(int command) {
    switch (command) {
        case 1011:
            return "Recording parameters dialog";
        case 40006:
            return "New song";
        case 40007:
            return "Open an existing .sng file";
        case 40012:
            return "Save .sng file";
        case 40013:
            return "MIDI settings";
        case 40014:
            return "Help contents";
        default:
            return std::nullopt;
    }
}

bool selectedSliderActs(int scrollCode) {
    return (scrollCode >= 0 && scrollCode <= 3) || scrollCode == 5;
}

namespace {

// The panel's place along one axis.
int onScreen(int at, int size, int area) {
    if (area <= 0)  // nothing known of the window yet
        return at;
    const int shown = std::min(at + size, area) - std::max(at, 0);
    if (shown >= std::min({kPanelGrabMargin, size, area}))
        return at;
    return std::max(0, std::min(at, area - size));
}

}  // namespace

PanelPosition panelOnScreen(PanelPosition at, int panelWidth, int panelHeight, int areaWidth,
                            int areaHeight) {
    return {onScreen(at.x, panelWidth, areaWidth), onScreen(at.y, panelHeight, areaHeight)};
}

}  // namespace brevant
