// Loading and saving "brevant.cfg". The file is read once at start-up and
// written at exit through a temporary file, so a failed save keeps the old one.
#pragma once

#include <string>

#include "message_sink.h"
#include "recorder_settings.h"
#include "song.h"

namespace brevant {

constexpr const char* kConfigFileName = "brevant.cfg";

// Applies the file's values; on any failure the message is shown and the
// current values stay. Returns whether the file was applied.
bool loadConfig(const std::string& path, Song& song, RecorderSettings& settings, MessageSink& messages);

// Writes the current values. Returns whether the file was written.
bool saveConfig(const std::string& path, const Song& song, const RecorderSettings& settings,
                MessageSink& messages);

}  // namespace brevant
