// What the mixer panel, the status bar and the tool bar show for a song: the
// window copies these values into its controls and computes none itself.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "recorder_settings.h"
#include "song.h"

namespace brevant {

constexpr int kChannelStrips = 4;

struct StripDisplay {
    bool enabled = false;
    int volumePosition = 0;  // sliders run 0..100 with the loud end on top
    int panPosition = 100;   // 0..200
    bool muted = false;
    std::string volumeText;  // "%d" of the volume
    std::string panText;     // "%d" of pan - 100
};

struct SelectedDisplay {
    bool enabled = false;
    int volumePosition = 0;
    int panPosition = 100;
    bool muted = false;
    std::string volumeText;  // " Volume: %d"
    std::string panText;     // " Pan: %d"
    int boostPosition = 100;
    std::string boostText;  // " Boost: %d"
};

struct MixerDisplay {
    std::array<StripDisplay, kChannelStrips> strips;
    SelectedDisplay selected;
    std::array<std::string, 3> statusParts;  // "Freq: %d", "Mono"/"Stereo", "Tracks: %d"
};

MixerDisplay mixerDisplay(const Song& song, const RecorderSettings& settings);

// The right edges of the status bar's three parts for a client width.
std::array<int, 3> statusPartEdges(int clientWidth);

// The tool bar's tip for a command, or nothing.
std::optional<std::string> toolTipText(int command);

// Slider positions back to the song's values.
inline int volumeFromSlider(int position) {
    return 100 - position;
}
inline int boostFromSlider(int position) {
    return 100 - position;
}

// The selected-track sliders act on line and page steps (codes 0..3) and on
// thumb drags (5) only; the strip sliders on every code.
bool selectedSliderActs(int scrollCode);

}  // namespace brevant

namespace brevant {

// A panel dragged by the mouse: moved by the mouse's offset from the grab
// point (both in the panel's own coordinates), so the grab point stays under it.
inline PanelPosition draggedPanel(PanelPosition at, int grabX, int grabY, int mouseX, int mouseY) {
    return {at.x + mouseX - grabX, at.y + mouseY - grabY};
}

// How much of a panel must show inside the main window for the user to grab it.
inline constexpr int kPanelGrabMargin = 32;

// A panel stored where the main window no longer reaches (a smaller screen, a
// hand-edited configuration) comes back whole inside the area, at its top left
// when it is larger; a panel that still shows enough of itself stays put.
PanelPosition panelOnScreen(PanelPosition at, int panelWidth, int panelHeight, int areaWidth,
                            int areaHeight);

}  // namespace brevant
