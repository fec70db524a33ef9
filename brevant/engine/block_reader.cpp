#include "block_reader.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "track_open_error.h"

namespace brevant {

namespace {

void toNativeOrder(std::int16_t* samples, std::size_t count) {
    if constexpr (std::endian::native == std::endian::big) {
        for (std::size_t i = 0; i < count; ++i) {
            const auto u = static_cast<std::uint16_t>(samples[i]);
            samples[i] = static_cast<std::int16_t>(static_cast<std::uint16_t>((u >> 8) | (u << 8)));
        }
    } else {
        (void)samples;
        (void)count;
    }
}

}  // namespace

BlockReader::BlockReader() : buffers_(static_cast<std::size_t>(kMaxTracks) * kStereoBlockBytes / 2) {}

std::int16_t* BlockReader::buffer(int track) const {
    return buffers_.data() + static_cast<std::size_t>(track) * (kStereoBlockBytes / 2);
}

void BlockReader::close() {
    for (WaveFileReader& f : files_) f.close();
    count_ = 0;
    endOfData_ = true;
}

Status BlockReader::open(const Song& song) {
    close();
    const int count = std::clamp<int>(song.trackCount, 0, kMaxTracks);
    for (int i = 0; i < count; ++i) {
        const auto slot = static_cast<std::size_t>(i);
        WaveFileReader& f = files_[slot];
        WaveOpenError e = f.open(song.track(i).fileName);
        if (e == WaveOpenError::None) e = f.findData();
        if (e != WaveOpenError::None) {
            close();
            return Status::fail(trackOpenMessage(e));
        }
        if (f.dataSize() == 0) {
            close();
            return Status::fail("Chunk contains no data.");
        }
        remaining_[slot] = f.dataSize();
        stereo_[slot] = song.track(i).isStereo();
        trackFormat_ = f.format();
    }
    for (int i = 0; i < count; ++i) {
        const auto slot = static_cast<std::size_t>(i);
        // Each track's own format gives its second; they are all the same in a
        // song built by the recorder. A negative compensation never moves a
        // track before the start of its data.
        const WaveFormat& format = files_[slot].format();
        const std::int64_t B = static_cast<std::int64_t>(format.bitsPerSample / 8) * format.samplesPerSec *
                               std::max<std::int64_t>(song.startSeconds, 0);
        const std::int64_t channels = stereo_[slot] ? 2 : 1;
        const std::int64_t offset = std::max<std::int64_t>(0, channels * (i == 0 ? B : B + song.compensation));
        if (static_cast<std::uint64_t>(offset) < remaining_[slot]) {
            if (!files_[slot].skip(static_cast<std::uint64_t>(offset))) {
                close();
                return Status::fail("mmioSeek() error");
            }
            remaining_[slot] -= static_cast<std::uint64_t>(offset);
        } else {
            remaining_[slot] = 0;
        }
    }
    count_ = count;
    endOfData_ = false;
    return Status::ok();
}

Status BlockReader::readBlock(const Song& song) {
    bool anyData = false;
    for (int i = 0; i < count_; ++i) {
        const auto slot = static_cast<std::size_t>(i);
        std::int16_t* buf = buffer(i);
        const std::size_t full = stereo_[slot] ? kStereoBlockBytes : kMonoBlockBytes;
        if (remaining_[slot] == 0) {
            std::memset(buf, 0, full);
            continue;
        }
        std::size_t size = full;
        if (remaining_[slot] < full) {
            size = static_cast<std::size_t>(remaining_[slot]);
            std::memset(buf, 0, full);
        }
        if (song.track(i).muted != 0) {
            if (!files_[slot].skip(size)) return Status::fail("Failed to read data chunk (loading-2).");
        } else {
            // The data chunk was measured against the file when it was opened:
            // coming up short now means the file changed or failed under us.
            if (files_[slot].read(buf, size) != static_cast<std::int64_t>(size)) {
                return Status::fail("Failed to read data chunk (loading-1).");
            }
            toNativeOrder(buf, size / 2);
        }
        remaining_[slot] -= size;
        anyData = true;
    }
    if (!anyData) endOfData_ = true;
    return Status::ok();
}

std::span<const MixInput> BlockReader::mixInputs(const Song& song, const MixGains& gains) {
    std::size_t n = 0;
    for (int i = 0; i < count_; ++i) {
        if (song.track(i).muted != 0) continue;
        const auto slot = static_cast<std::size_t>(i);
        inputs_[n++] = MixInput{buffer(i), stereo_[slot], gains.gainLeft[slot], gains.gainRight[slot],
                                gains.gainMono[slot]};
    }
    return {inputs_.data(), n};
}

}  // namespace brevant
