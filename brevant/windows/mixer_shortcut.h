// The mixer's keyboard shortcuts: a key, named by the first letter of its
// key name, raises or lowers the volume or pan of one of the first four
// tracks or of the current one.
#pragma once

#include <optional>

#include "song.h"

namespace brevant {

constexpr int kCurrentTrackSlot = -1;

struct MixerShortcut {
    int slot = 0;  // 0..3, or kCurrentTrackSlot
    bool up = true;
};

struct ShortcutModifiers {
    bool shift = false;
    bool capsLock = false;
    bool ctrl = false;
    bool scrollLock = false;
};

// The shortcut of a key whose name starts with `firstLetter` (any case).
std::optional<MixerShortcut> shortcutForKeyName(char firstLetter);

// Applies the shortcut: step 10 with Shift or Caps Lock, else 1; pan with Ctrl
// or Scroll Lock (0..200), else volume (0..100). Sets `modified`.
void applyShortcut(Song& song, MixerShortcut shortcut, ShortcutModifiers modifiers);

}  // namespace brevant
