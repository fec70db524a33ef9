#include "window_rules.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>

#include "file_names.h"

namespace talvik {

int SpinValue(const std::string& text, SpinRange range) {
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    const long long value = std::strtoll(begin, &end, 10);
    if (end == begin) {
        return range.min;
    }
    // strtoll saturates on overflow, which the clamp below then brings into range.
    return static_cast<int>(std::clamp<long long>(value, range.min, range.max));
}

std::string DirectoryText(const std::string& directory, NextCharFn next) {
    if (EndsInSeparator(directory, next)) {
        return directory;
    }
    return directory + kDirSeparator;
}

std::vector<DirectoryEntry> DirectoryListEntries(const std::string& directory,
                                                 std::vector<std::string> subdirectories,
                                                 NextCharFn next) {
    // Names are walked a character at a time: a double-byte character may end in "\".
    const auto separatorAt = [&](std::size_t at) { return IsSeparatorAt(directory, at, next); };
    std::vector<DirectoryEntry> entries;
    // The root: a drive ("C:\") or the separator alone.
    std::size_t pos = 0;
    std::string root;
    if (directory.size() >= 2 && directory[1] == ':') {
        root = directory.substr(0, 2) + kDirSeparator;
        pos = 2;
    } else if (directory.size() >= 2 && separatorAt(0) && separatorAt(1)) {
        // A network share: "\\server\share" is the root; above it there is nothing to list.
        pos = 2;
        for (int part = 0; part < 2; ++part) {
            while (pos < directory.size() && separatorAt(pos)) {
                ++pos;
            }
            while (pos < directory.size() && !separatorAt(pos)) {
                pos = next(directory, pos);
            }
        }
        pos = std::min(pos, directory.size());
        root = directory.substr(0, pos);
    } else if (!directory.empty() && separatorAt(0)) {
        root = std::string(1, kDirSeparator);
    }
    while (pos < directory.size() && separatorAt(pos)) {
        ++pos;
    }
    if (!root.empty()) {
        entries.push_back({root, root, 0, false});
    }
    std::string path = root;
    while (pos < directory.size()) {
        std::size_t end = pos;
        while (end < directory.size() && !separatorAt(end)) {
            end = next(directory, end);
        }
        end = std::min(end, directory.size());
        const std::string name = directory.substr(pos, end - pos);
        if (!path.empty() && !EndsInSeparator(path, next)) {
            path += kDirSeparator;
        }
        path += name;
        entries.push_back({path, name, static_cast<int>(entries.size()), false});
        pos = end;
        while (pos < directory.size() && separatorAt(pos)) {
            ++pos;
        }
    }
    if (entries.empty()) {
        return entries;
    }
    entries.back().chosen = true;
    const int depth = entries.back().indent + 1;
    const std::string base = DirectoryText(entries.back().path, next);
    std::sort(subdirectories.begin(), subdirectories.end());
    for (const std::string& name : subdirectories) {
        if (name != "." && name != "..") {
            entries.push_back({base + name, name, depth, false});
        }
    }
    return entries;
}

int CorrectedEndTrack(int startTrack, int endTrack) {
    return endTrack < startTrack ? startTrack : endTrack;
}

std::string GrabOptionWord(GrabRate rate, bool stereo, bool sixteenBits) {
    std::string word = rate == GrabRate::Khz44 ? "-44" : rate == GrabRate::Khz22 ? "-22" : "-11";
    word += stereo ? "-s" : "-m";
    word += sixteenBits ? "-16" : "-8";
    return word;
}

}  // namespace talvik
