#include "preferences_form.h"

#include <cctype>
#include <limits>

namespace brevant {

PreferencesForm openPreferences(const Song& song, const RecorderSettings& settings) {
    PreferencesForm form;
    form.editorPath = settings.editorPath;
    form.stereo = settings.recordFormat.channels == 2;
    form.sixteenBit = settings.recordFormat.bitsPerSample != 8;
    form.monoPlayback = settings.monoPlaybackOption;
    if (isOfferedFrequency(settings.recordFormat.samplesPerSec)) form.frequency = settings.recordFormat.samplesPerSec;
    form.compensationText = std::to_string(song.compensation / 2);
    return form;
}

Status applyPreferences(const PreferencesForm& form, Song& song, RecorderSettings& settings) {
    if (!fitsPathField(form.editorPath)) return Status::fail(pathTooLongMessage(form.editorPath));
    settings.editorPath = form.editorPath;
    const std::uint16_t bits = form.sixteenBit ? 16 : 8;
    const std::uint16_t channels = form.stereo ? 2 : 1;
    const std::uint32_t frequency = form.frequency.value_or(settings.recordFormat.samplesPerSec);
    setRecordFormat(settings, channels, frequency, bits);
    settings.monoPlaybackOption = form.monoPlayback;
    // Held as samples x 2; kept within int32 for the doubling.
    const std::int64_t samples = parseCompensationText(form.compensationText);
    const std::int64_t limit = std::numeric_limits<std::int32_t>::max() / 2;
    song.compensation = static_cast<std::int32_t>(2 * (samples > limit ? limit : samples < -limit ? -limit : samples));
    return Status::ok();
}

std::int32_t parseCompensationText(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    std::int64_t value = 0;
    const std::int64_t cap = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
        value = value * 10 + (text[i] - '0');
        if (value > cap) value = cap;
        ++i;
    }
    if (negative) value = -value;
    if (value > std::numeric_limits<std::int32_t>::max()) value = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(value);
}

}  // namespace brevant
