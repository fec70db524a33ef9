#include "song.h"

#include <cctype>

#include "system_path.h"

namespace brevant {

namespace {
char lower(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

bool equalNoCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}
}  // namespace

bool isInSong(const Song& song, const std::string& path) {
    for (int i = 0; i < song.trackCount && i < kMaxTracks; ++i) {
        if (equalNoCase(song.track(i).fileName, path))
            return true;
    }
    return false;
}

bool namesTrackInSong(const Song& song, const std::string& path) {
    if (isInSong(song, path))
        return true;
    for (int i = 0; i < song.trackCount && i < kMaxTracks; ++i) {
        if (sameFile(path, song.track(i).fileName))
            return true;
    }
    return false;
}

bool endsWithNoCase(const std::string& text, const std::string& suffix) {
    return text.size() >= suffix.size() &&
           equalNoCase(text.substr(text.size() - suffix.size()), suffix);
}

std::string withExtension(const std::string& path, const std::string& extension) {
    return endsWithNoCase(path, extension) ? path : path + extension;
}

bool fitsPathField(const std::string& path) {
    return path.size() <= kMaxPathLength;
}

std::string pathTooLongMessage(const std::string& path) {
    return "The path \"" + path + "\" is longer than 255 characters.";
}

}  // namespace brevant
