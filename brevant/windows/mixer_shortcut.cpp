#include "mixer_shortcut.h"

#include <cctype>

namespace brevant {

std::optional<MixerShortcut> shortcutForKeyName(char firstLetter) {
    switch (std::toupper(static_cast<unsigned char>(firstLetter))) {
        case 'Q':
            return MixerShortcut{0, true};
        case 'A':
            return MixerShortcut{0, false};
        case 'W':
            return MixerShortcut{1, true};
        case 'S':
            return MixerShortcut{1, false};
        case 'E':
            return MixerShortcut{2, true};
        case 'D':
            return MixerShortcut{2, false};
        case 'R':
            return MixerShortcut{3, true};
        case 'F':
            return MixerShortcut{3, false};
        case 'T':
            return MixerShortcut{kCurrentTrackSlot, true};
        case 'G':
            return MixerShortcut{kCurrentTrackSlot, false};
        default:
            return std::nullopt;
    }
}

void applyShortcut(Song& song, MixerShortcut shortcut, ShortcutModifiers modifiers) {
    const int slot = shortcut.slot == kCurrentTrackSlot ? song.currentTrack : shortcut.slot;
    if (slot < 0 || slot >= kMaxTracks)
        return;
    Track& track = song.track(slot);
    const int step = modifiers.shift || modifiers.capsLock ? 10 : 1;
    const bool pan = modifiers.ctrl || modifiers.scrollLock;
    const int top = pan ? 200 : 100;
    std::int16_t& value = pan ? track.pan : track.volume;
    int next = shortcut.up ? value + step : value - step;
    if (next < 0)
        next = 0;
    if (next > top)
        next = top;
    value = static_cast<std::int16_t>(next);
    song.modified = true;
}

}  // namespace brevant
