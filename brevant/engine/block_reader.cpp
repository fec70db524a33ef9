#include "block_reader.h"

#include <algorithm>
#include <cstring>

#include "sample_byte_order.h"
#include "track_open_error.h"

namespace brevant {

BlockReader::BlockReader(std::size_t readAheadBlocks, std::size_t pieceBlocks)
    : readAhead_(std::max(readAheadBlocks, pieceBlocks)),
      pieceBlocks_(std::max<std::size_t>(pieceBlocks, 1)),
      slotBytes_((readAhead_ + pieceBlocks_) * kStereoBlockBytes),
      ahead_(new std::int16_t[static_cast<std::size_t>(kMaxTracks) * slotBytes_ / 2]),
      silence_(pieceBlocks_ * kStereoBlockBytes / 2, 0) {
    block_.fill(silence_.data());
}

std::uint8_t* BlockReader::aheadBuffer(int track) {
    return reinterpret_cast<std::uint8_t*>(ahead_.get()) +
           static_cast<std::size_t>(track) * slotBytes_;
}

void BlockReader::close() {
    for (WaveFileReader& f : files_) f.close();
    block_.fill(silence_.data());
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
        if (e == WaveOpenError::None)
            e = f.findData();
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
        const std::int64_t B = static_cast<std::int64_t>(format.bitsPerSample / 8) *
                               format.samplesPerSec * std::max<std::int64_t>(song.startSeconds, 0);
        const std::int64_t channels = stereo_[slot] ? 2 : 1;
        const std::int64_t offset =
            std::max<std::int64_t>(0, channels * (i == 0 ? B : B + song.compensation));
        if (static_cast<std::uint64_t>(offset) < remaining_[slot]) {
            if (!files_[slot].skip(static_cast<std::uint64_t>(offset))) {
                close();
                return Status::fail("mmioSeek() error");
            }
            remaining_[slot] -= static_cast<std::uint64_t>(offset);
        } else {
            remaining_[slot] = 0;
        }
        unread_[slot] = remaining_[slot];
        aheadPos_[slot] = 0;
        aheadEnd_[slot] = 0;
    }
    count_ = count;
    endOfData_ = false;
    return Status::ok();
}

Status BlockReader::fill(int track, std::size_t size) {
    const auto slot = static_cast<std::size_t>(track);
    std::uint8_t* buf = aheadBuffer(track);
    const std::size_t kept = aheadEnd_[slot] - aheadPos_[slot];
    if (kept >= size)
        return Status::ok();
    // Keep the bytes not yet handed out and read on after them. Every block
    // but a track's last has an even size, so positions stay 16-bit aligned.
    std::memmove(buf, buf + aheadPos_[slot], kept);
    aheadPos_[slot] = 0;
    aheadEnd_[slot] = kept;
    const std::size_t room = readAhead_ * kStereoBlockBytes - aheadEnd_[slot];
    const auto want = static_cast<std::size_t>(std::min<std::uint64_t>(room, unread_[slot]));
    // The data chunk was measured against the file when it was opened: coming
    // up short now means the file changed or failed under us.
    if (files_[slot].read(buf + aheadEnd_[slot], want) != static_cast<std::int64_t>(want)) {
        return Status::fail("Failed to read data chunk (loading-1).");
    }
    swapLittleEndianSamples(reinterpret_cast<std::int16_t*>(buf + aheadEnd_[slot]), want / 2);
    aheadEnd_[slot] += want;
    unread_[slot] -= want;
    return Status::ok();
}

std::size_t BlockReader::clampBlocks(int blocks) const {
    return static_cast<std::size_t>(std::clamp<int>(blocks, 1, static_cast<int>(pieceBlocks_)));
}

std::size_t BlockReader::blockBytes(std::size_t slot) const {
    return stereo_[slot] ? kStereoBlockBytes : kMonoBlockBytes;
}

std::size_t BlockReader::nextBytes(std::size_t slot, std::size_t blocks) const {
    return static_cast<std::size_t>(
        std::min<std::uint64_t>(blocks * blockBytes(slot), remaining_[slot]));
}

Status BlockReader::readBlock(const Song& song) {
    int blocksWithData = 0;
    return readBlocks(song, 1, blocksWithData);
}

Status BlockReader::readBlocks(const Song& song, int blocks, int& blocksWithData) {
    blocksWithData = 0;
    const std::size_t n = clampBlocks(blocks);
    for (int i = 0; i < count_; ++i) {
        const auto slot = static_cast<std::size_t>(i);
        const std::size_t full = blockBytes(slot);
        if (remaining_[slot] == 0) {
            block_[slot] = silence_.data();
            continue;
        }
        const std::size_t size = nextBytes(slot, n);
        const std::size_t buffered = aheadEnd_[slot] - aheadPos_[slot];
        if (song.track(i).muted != 0 && buffered < size) {
            // Nothing of it will be heard: skip the rest in the file rather than read it.
            const std::size_t skip = size - buffered;
            if (!files_[slot].skip(skip))
                return Status::fail("Failed to read data chunk (loading-2).");
            unread_[slot] -= skip;
            aheadPos_[slot] = aheadEnd_[slot] = 0;
            block_[slot] = silence_.data();
        } else {
            const Status filled = fill(i, size);
            if (!filled)
                return filled;
            std::uint8_t* at = aheadBuffer(i) + aheadPos_[slot];
            // A short last block ends in silence, never in stale bytes.
            if (size < n * full)
                std::memset(at + size, 0, n * full - size);
            block_[slot] = reinterpret_cast<const std::int16_t*>(at);
            aheadPos_[slot] += size;
        }
        remaining_[slot] -= size;
        blocksWithData = std::max(blocksWithData, static_cast<int>((size + full - 1) / full));
    }
    if (blocksWithData == 0)
        endOfData_ = true;
    return Status::ok();
}

Status BlockReader::readPiece(const Song& song, int blocks,
                              const std::array<std::int16_t*, kMaxTracks>& pieces,
                              std::array<const std::int16_t*, kMaxTracks>& samples,
                              int& blocksWithData) {
    blocksWithData = 0;
    const std::size_t n = clampBlocks(blocks);
    for (int i = 0; i < count_; ++i) {
        const auto slot = static_cast<std::size_t>(i);
        const std::size_t full = blockBytes(slot);
        samples[slot] = silence_.data();
        if (remaining_[slot] == 0)
            continue;
        const std::size_t size = nextBytes(slot, n);
        if (song.track(i).muted != 0) {
            if (!files_[slot].skip(size))
                return Status::fail("Failed to read data chunk (loading-2).");
        } else {
            auto* at = reinterpret_cast<std::uint8_t*>(pieces[slot]);
            if (files_[slot].read(at, size) != static_cast<std::int64_t>(size)) {
                return Status::fail("Failed to read data chunk (loading-1).");
            }
            swapLittleEndianSamples(pieces[slot], size / 2);
            // A short last block ends in silence, never in stale bytes.
            if (size < n * full)
                std::memset(at + size, 0, n * full - size);
            samples[slot] = pieces[slot];
        }
        remaining_[slot] -= size;
        unread_[slot] -= size;
        blocksWithData = std::max(blocksWithData, static_cast<int>((size + full - 1) / full));
    }
    if (blocksWithData == 0)
        endOfData_ = true;
    return Status::ok();
}

Status BlockReader::skipPiece(int blocks) {
    const std::size_t n = clampBlocks(blocks);
    for (int i = 0; i < count_; ++i) {
        const auto slot = static_cast<std::size_t>(i);
        const std::size_t size = nextBytes(slot, n);
        if (size == 0)
            continue;
        if (!files_[slot].skip(size))
            return Status::fail("Failed to read data chunk (loading-2).");
        remaining_[slot] -= size;
        unread_[slot] -= size;
    }
    return Status::ok();
}

std::span<const MixInput> BlockReader::mixInputs(
    const Song& song, const MixGains& gains,
    const std::array<const std::int16_t*, kMaxTracks>& samples,
    std::array<MixInput, kMaxTracks>& inputs) const {
    std::size_t n = 0;
    for (int i = 0; i < count_; ++i) {
        if (song.track(i).muted != 0)
            continue;
        const auto slot = static_cast<std::size_t>(i);
        inputs[n++] = MixInput{samples[slot], stereo_[slot], gains.gainLeft[slot],
                               gains.gainRight[slot], gains.gainMono[slot]};
    }
    return {inputs.data(), n};
}

std::span<const MixInput> BlockReader::mixInputs(const Song& song, const MixGains& gains) {
    return mixInputs(song, gains, block_, inputs_);
}

}  // namespace brevant
