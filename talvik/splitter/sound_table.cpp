#include "sound_table.h"

namespace talvik {

void SoundTable::replace(std::vector<Sound>& found) {
    sounds_.swap(found);
    saveFlags_.assign(sounds_.size(), 1);
}

int SoundTable::markedCount() const {
    int marked = 0;
    for (std::uint8_t f : saveFlags_) {
        marked += f;
    }
    return marked;
}

std::int64_t SoundTable::totalLength() const {
    std::int64_t total = 0;
    for (const Sound& s : sounds_) {
        total += s.length();
    }
    return total;
}

void SoundTable::applyMinSize(std::int64_t minSize, SampleFormat save) {
    const std::int64_t minLength = Is16Bit(save) ? minSize / 2 : minSize;
    for (std::size_t i = 0; i < sounds_.size(); ++i) {
        if (sounds_[i].length() < minLength) {
            saveFlags_[i] = 0;
        }
    }
}

}  // namespace talvik
