#include "track_open_error.h"

namespace brevant {

std::string trackOpenMessage(WaveOpenError error) {
    switch (error) {
    case WaveOpenError::None: return {};
    case WaveOpenError::CannotOpen: return "Error opening the file.";
    case WaveOpenError::NotWave: return "This is not a WAVE file.";
    case WaveOpenError::NoFmtChunk: return "The file has no \"fmt\" chunk";
    case WaveOpenError::FormatUnread: return "Unable to read file format.";
    case WaveOpenError::NoDataChunk: return "No data chunk found.";
    }
    return {};
}

}  // namespace brevant
