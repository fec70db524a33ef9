// Copies one sound from an open track file into a sound file of its own, converting
// the sample coding block by block.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "sample_format.h"
#include "track_file.h"

namespace talvik {

// Block buffer of a copy, allocated once and reused for every sound.
class CopyBuffer {
  public:
    static constexpr std::size_t kBytes = kCopyBlockBytes * kCopyBlocksPerCall;
    CopyBuffer() : bytes_(kBytes) {}
    std::uint8_t* data() { return bytes_.data(); }

  private:
    std::vector<std::uint8_t> bytes_;
};

// Writes the samples [start, end) of `track` (positions in samples) to `destination`,
// replacing a file of that name only once the new one is complete. Throws FileError
// when the track ends before the sound does or a write fails: the output holds only
// samples actually read. With `maximize` the sound is scaled to full scale first.
void CopySound(TrackFile& track, std::int64_t start, std::int64_t end, SampleFormat load,
               SampleFormat save, const std::string& destination, bool maximize,
               CopyBuffer& buffer);

}  // namespace talvik
