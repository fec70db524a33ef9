// The Preferences dialog as data: what it shows when opened and what OK stores.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "recorder_settings.h"
#include "song.h"
#include "status.h"

namespace brevant {

struct PreferencesForm {
    std::string editorPath;
    bool sixteenBit = true;
    bool stereo = false;
    std::optional<std::uint32_t> frequency;  // the selected radio button, if any
    bool monoPlayback = true;
    std::string compensationText;            // "Compensation (in samples):"
};

PreferencesForm openPreferences(const Song& song, const RecorderSettings& settings);

// OK. Fails, storing nothing, when the editor path is too long for its field.
// The song's `modified` flag is left alone.
Status applyPreferences(const PreferencesForm& form, Song& song, RecorderSettings& settings);

// A signed decimal number: leading white space, an optional sign, the digits
// up to the first other character; 0 without digits. Values beyond the int32
// range are held at its ends.
std::int32_t parseCompensationText(const std::string& text);

}  // namespace brevant
