// "brevant.cfg": one 292-byte little-endian record, read and written whole.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "recorder_settings.h"
#include "song.h"
#include "status.h"

namespace brevant {

constexpr std::size_t kConfigRecordBytes = 292;

struct ConfigRecord {
    std::int32_t compensation = 0;
    std::int32_t midiCompensationMs = 0;
    PanelPosition transportPos;
    PanelPosition mixerPos;
    std::int16_t channels = 1;
    std::int32_t frequency = 44100;
    std::int32_t monoPlayback = 1;
    std::string editorPath;

    bool operator==(const ConfigRecord&) const = default;
};

// Fails, writing nothing, when the editor path does not fit its field.
Status writeConfigRecord(const ConfigRecord& record, std::vector<std::uint8_t>& bytes);
// Fails unless `bytes` holds at least a whole record; extra bytes are ignored.
bool readConfigRecord(const std::vector<std::uint8_t>& bytes, ConfigRecord& record);

ConfigRecord collectConfig(const Song& song, const RecorderSettings& settings);
// Takes the record's values. A channel count or frequency the recorder cannot
// use (a damaged file) keeps the current one.
void applyConfig(const ConfigRecord& record, Song& song, RecorderSettings& settings);

}  // namespace brevant
