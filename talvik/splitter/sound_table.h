// The sounds of the last analysis with their save flags. No fixed limit: a track
// keeps every sound it holds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "sample_format.h"
#include "trigger_params.h"

namespace talvik {

class SoundTable {
  public:
    // Takes the found sounds by swapping (the old ones go back to the caller for reuse)
    // and marks every one of them to be saved.
    void replace(std::vector<Sound>& found);

    int count() const { return static_cast<int>(sounds_.size()); }
    const Sound& sound(int i) const { return sounds_[static_cast<std::size_t>(i)]; }
    bool saveFlag(int i) const { return saveFlags_[static_cast<std::size_t>(i)] != 0; }
    void setSaveFlag(int i, bool save) { saveFlags_[static_cast<std::size_t>(i)] = save ? 1 : 0; }
    int markedCount() const;
    // Sum of the found sounds' lengths in samples.
    std::int64_t totalLength() const;

    // Unmarks every sound shorter than `minSize` bytes of the saved file (halved to
    // samples for 16-bit saving). Flags are only ever cleared here.
    void applyMinSize(std::int64_t minSize, SampleFormat save);

  private:
    std::vector<Sound> sounds_;
    std::vector<std::uint8_t> saveFlags_;
};

}  // namespace talvik
