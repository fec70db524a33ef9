#include "song_scan.h"

#include "play_time.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <vector>

namespace orvane {
namespace {

// A window of the stream held in memory. 8 KiB covers an ID3v2 header and a
// whole first frame (the longest is 2,881 bytes), so most songs need one read
// here and one for the tail.
class TStreamWindow {
  public:
    static constexpr std::size_t kCapacity = 8192;

    TStreamWindow(TSongStream& stream, std::uint64_t end) : stream_(stream), end_(end) {}

    void SetEnd(std::uint64_t end) {
        end_ = end;
        if (base_ >= end_) {
            size_ = 0;
        } else if (base_ + size_ > end_) {
            size_ = static_cast<std::size_t>(end_ - base_);
        }
    }

    // Makes [offset, offset + length) available, reading at offset when it is
    // not; returns how many of the wanted bytes are available.
    std::size_t Cover(std::uint64_t offset, std::size_t length) {
        length = std::min(length, kCapacity);
        if (offset >= end_)
            return 0;
        const std::size_t wanted =
            static_cast<std::size_t>(std::min<std::uint64_t>(length, end_ - offset));
        if (offset >= base_ && offset + wanted <= base_ + size_)
            return wanted;
        const std::size_t toRead =
            static_cast<std::size_t>(std::min<std::uint64_t>(kCapacity, end_ - offset));
        size_ = stream_.ReadAt(offset, std::span(buffer_).first(toRead));
        base_ = offset;
        return std::min(wanted, size_);
    }

    // Pointer to bytes that a successful Cover made available.
    const std::uint8_t* At(std::uint64_t offset) const { return buffer_.data() + (offset - base_); }

    // Copies out bytes already in the window; false when they are not all there.
    bool CopyOut(std::uint64_t offset, std::span<std::uint8_t> out) const {
        if (offset < base_ || offset + out.size() > base_ + size_)
            return false;
        std::memcpy(out.data(), At(offset), out.size());
        return true;
    }

  private:
    TSongStream& stream_;
    std::uint64_t end_;
    std::array<std::uint8_t, kCapacity> buffer_{};
    std::uint64_t base_ = 0;
    std::size_t size_ = 0;
};

std::uint32_t BigEndian32(const std::uint8_t* p) {
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) |
           p[3];
}

std::optional<TMpegInfo> HeaderAt(TStreamWindow& window, std::uint64_t offset) {
    if (window.Cover(offset, 4) < 4)
        return std::nullopt;
    return DecodeFrameHeader(std::span<const std::uint8_t, 4>(window.At(offset), 4));
}

bool SameStream(const TMpegInfo& a, const TMpegInfo& b) {
    return a.Version == b.Version && a.Layer == b.Layer && a.FrequencyIndex == b.FrequencyIndex;
}

// A sync pattern inside junk is common; a header only counts when the frame
// after it starts with a matching header too, or when it runs to the end.
std::optional<TMpegInfo> ConfirmedHeaderAt(TStreamWindow& window, std::uint64_t offset,
                                           std::uint64_t audioEnd) {
    auto info = HeaderAt(window, offset);
    if (!info)
        return std::nullopt;
    const std::uint64_t next = offset + static_cast<std::uint64_t>(FrameLength(*info));
    if (next + 4 > audioEnd)
        return info;
    window.Cover(offset, static_cast<std::size_t>(next + 4 - offset));
    const auto following = HeaderAt(window, next);
    if (following && SameStream(*info, *following))
        return info;
    return std::nullopt;
}

// Frame count of a Xing/Info header (offset after the side information) or a
// VBRI header (always 32 bytes after the header); 0 when there is none.
std::uint32_t VariableRateFrameCount(TStreamWindow& window, std::uint64_t frame,
                                     const TMpegInfo& info) {
    const std::uint64_t xing = frame + static_cast<std::uint64_t>(XingOffset(info));
    if (window.Cover(xing, 12) == 12) {
        const std::uint8_t* p = window.At(xing);
        const bool marked = std::memcmp(p, "Xing", 4) == 0 || std::memcmp(p, "Info", 4) == 0;
        if (marked && (BigEndian32(p + 4) & 0x01) != 0)
            return BigEndian32(p + 8);
    }
    const std::uint64_t vbri = frame + 36;
    if (window.Cover(vbri, 18) == 18) {
        const std::uint8_t* p = window.At(vbri);
        if (std::memcmp(p, "VBRI", 4) == 0)
            return BigEndian32(p + 14);
    }
    return 0;
}

}  // namespace

std::uint64_t Id3v2TagLength(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < 10 || bytes[0] != 'I' || bytes[1] != 'D' || bytes[2] != '3')
        return 0;
    if (bytes[3] == 0xFF || bytes[4] == 0xFF)
        return 0;
    std::uint64_t size = 0;
    for (int i = 6; i < 10; ++i) {
        if (bytes[i] & 0x80)
            return 0;  // sizes are syncsafe: 7 bits per byte
        size = (size << 7) | bytes[i];
    }
    const bool hasFooter = (bytes[5] & 0x10) != 0;
    return 10 + size + (hasFooter ? 10 : 0);
}

TSongScan ScanSong(TSongStream& stream) {
    TSongScan scan;
    // The head first; when it comes back short it holds the whole file and
    // the tail with it. Otherwise one seek from the end gives size and tail.
    TStreamWindow window(stream, std::numeric_limits<std::uint64_t>::max());
    const std::size_t headBytes = window.Cover(0, TStreamWindow::kCapacity);
    std::optional<std::uint64_t> size;
    bool haveTrailer = false;
    if (headBytes < TStreamWindow::kCapacity) {
        size = stream.Size();
        if (size && *size == headBytes && headBytes >= scan.trailer.size()) {
            haveTrailer = window.CopyOut(headBytes - scan.trailer.size(), scan.trailer);
        }
    } else {
        size = stream.ReadTail(scan.trailer);
        haveTrailer = size && *size >= scan.trailer.size();
    }
    if (!size)
        return scan;
    if (!haveTrailer && *size >= scan.trailer.size()) {
        haveTrailer =
            stream.ReadAt(*size - scan.trailer.size(), scan.trailer) == scan.trailer.size();
    }
    if (!haveTrailer)
        scan.trailer.fill(0);
    scan.readable = true;
    scan.fileSize = *size;
    window.SetEnd(*size);
    scan.hasTrailingTag = haveTrailer && HasTagMarker(scan.trailer);
    scan.audioEnd = scan.hasTrailingTag ? *size - scan.trailer.size() : *size;
    // Nothing of a trailing tag is audio: a frame cut short before it must not
    // take its Xing or VBRI fields from the tag's bytes.
    window.SetEnd(scan.audioEnd);

    // ID3v2 tags (more than one happens after careless re-tagging). A size
    // that runs past the end leaves no audio at all.
    std::uint64_t offset = 0;
    for (int tags = 0; tags < 4; ++tags) {
        if (window.Cover(offset, 10) < 10)
            break;
        const std::uint64_t length = Id3v2TagLength(std::span(window.At(offset), 10));
        if (length == 0)
            break;
        if (tags == 0) {
            scan.leadingTagLength = length;
            if (length <= TStreamWindow::kCapacity &&
                window.Cover(0, static_cast<std::size_t>(length)) == length) {
                scan.leadingTag.assign(window.At(0), window.At(0) + length);
            }
        }
        offset += length;
        if (offset >= scan.audioEnd)
            return scan;
    }

    const std::uint64_t searchEnd = std::min(scan.audioEnd, offset + kFrameSearchLimit);
    for (std::uint64_t at = offset; at + 4 <= searchEnd; ++at) {
        if (window.Cover(at, 4) < 4)
            break;
        if (*window.At(at) != 0xFF)
            continue;
        const auto info = ConfirmedHeaderAt(window, at, scan.audioEnd);
        if (!info)
            continue;
        scan.hasHeader = true;
        scan.info = *info;
        scan.audioStart = at;
        break;
    }
    if (!scan.hasHeader)
        return scan;

    TMpegInfo& info = scan.info;
    info.FrameCount = VariableRateFrameCount(window, scan.audioStart, info);
    info.IsVariableRate = info.FrameCount > 0;
    double seconds = 0;
    if (info.IsVariableRate) {
        seconds = static_cast<double>(info.FrameCount) * SamplesPerFrame(info) / info.Frequency;
    } else {
        const double bits = static_cast<double>(scan.audioEnd - scan.audioStart) * 8;
        seconds = bits / (info.BitRate * 1000.0);
    }
    scan.seconds = RoundPlayTime(seconds / 60);
    return scan;
}

}  // namespace orvane
