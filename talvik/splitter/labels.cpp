#include "labels.h"

namespace talvik {

namespace {
std::string Num(std::int64_t v) {
    return std::to_string(v);
}
}  // namespace

std::string TrackLabel(int track, std::int64_t fileBytes, std::int64_t foundBytes) {
    return Num(track) + ",  " + Num(fileBytes / 1024) + " Kb (" + Num(foundBytes / 1024) + " Kb)";
}

std::string FoundLabel(int marked, int found) {
    return Num(marked) + " (" + Num(found) + ")";
}

std::string SoundLabel(int n, std::int64_t length, SampleFormat load, SampleFormat save) {
    const bool wide = Is16Bit(load) && Is16Bit(save);
    if (length <= 1024) {
        return Num(n) + ",  " + Num(wide ? 2 * length : length) + " bytes";
    }
    return Num(n) + ",  " + Num(wide ? length / 500 : length / 1024) + " Kb";
}

std::string SoundLabelAfterPrevious(int n, std::int64_t length) {
    if (length <= 1024) {
        return Num(n) + ",  " + Num(length) + " bytes";
    }
    return Num(n) + ",  " + Num(length / 1024) + " kb";
}

}  // namespace talvik
