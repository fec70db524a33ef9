#include "config_file.h"

#include <vector>

#include "binary_file.h"
#include "config_record.h"
#include "file_replace.h"
#include "system_path.h"

namespace brevant {

bool loadConfig(const std::string& path, Song& song, RecorderSettings& settings,
                MessageSink& messages) {
    // A missing file is the first run: it reads as empty, like a file just created.
    std::vector<std::uint8_t> bytes;
    if (fileExists(path) && !readWholeFile(path, bytes)) {
        messages.showMessage("Error opening configuration file", "Error");
        return false;
    }
    ConfigRecord record;
    if (!readConfigRecord(bytes, record)) {
        messages.showMessage("File open error [ReadFile()].", "Error");
        return false;
    }
    applyConfig(record, song, settings);
    return true;
}

bool saveConfig(const std::string& path, const Song& song, const RecorderSettings& settings,
                MessageSink& messages) {
    std::vector<std::uint8_t> bytes;
    const Status built = writeConfigRecord(collectConfig(song, settings), bytes);
    if (!built) {
        messages.showMessage(built.message(), "Error");
        return false;
    }
    switch (replaceFileContents(path, bytes)) {
        case ReplaceResult::CannotCreate:
            messages.showMessage("Error writing configuration file", "Error");
            return false;
        case ReplaceResult::WriteFailed:
            messages.showMessage("Write to file error [WriteFile()].", "Error");
            return false;
        case ReplaceResult::Done:
            break;
    }
    return true;
}

}  // namespace brevant
