#include "file_names.h"

#include "file_error.h"

namespace talvik {

std::string TwoDigit(int n) {
    std::string text = std::to_string(n);
    return n >= 0 && n < 10 ? "0" + text : text;
}

std::string TrackFileName(SampleFormat load, int track, const std::string& sourceDir) {
    return sourceDir + "track" + TwoDigit(track) + std::string(TrackExtension(load));
}

std::string TrackDirName(const std::string& saveDir, const std::string& createDir, int track) {
    return saveDir + createDir + TwoDigit(track);
}

std::string SoundFileName(const std::string& trackDir, int soundIndex, const std::string& prefix,
                          const std::string& suffix) {
    return trackDir + kDirSeparator + prefix + TwoDigit(soundIndex + 1) + "." + suffix;
}

namespace {
bool IsSeparator(char c) {
#ifdef _WIN32
    return c == '\\' || c == '/';
#else
    return c == '/';
#endif
}
}  // namespace

void CheckNameLength(const std::string& name) {
    if (name.size() > kMaxPathLength) {
        throw FileError("Name too long (" + std::to_string(name.size()) + " characters, at most " +
                        std::to_string(kMaxPathLength) + "): " + name);
    }
    std::size_t component = 0;
    for (char c : name) {
        component = IsSeparator(c) ? 0 : component + 1;
        if (component > kMaxComponentLength) {
            throw FileError("Name too long (a part of it has more than " +
                            std::to_string(kMaxComponentLength) + " characters): " + name);
        }
    }
}

}  // namespace talvik
