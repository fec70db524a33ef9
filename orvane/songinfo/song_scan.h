// Finds the audio of a song file and works out its play time: skips ID3v2
// tags at the start, finds the first frame by its sync bits, and uses a
// Xing/Info or VBRI frame count when there is one.
#pragma once

#include "mpeg_info.h"
#include "song_stream.h"
#include "tag_record.h"

#include <cstdint>
#include <vector>

namespace orvane {

struct TSongScan {
    bool readable = false;     // the size could be told
    bool hasHeader = false;    // a frame header was found
    TMpegInfo info;            // valid when hasHeader
    std::int32_t seconds = 0;  // 0 without a frame header
    std::uint64_t fileSize = 0;
    std::uint64_t audioStart = 0;  // offset of the first frame
    std::uint64_t audioEnd = 0;    // file size less a trailing tag
    bool hasTrailingTag = false;
    TTagBytes trailer{};  // the last 128 bytes when the file has that many
    // The ID3v2 tag the file begins with: its length, and its bytes when the first read held
    // it whole (empty otherwise: a larger tag is read on its own when it is wanted).
    std::uint64_t leadingTagLength = 0;
    std::vector<std::uint8_t> leadingTag;
};

// A search for the first frame gives up after this many bytes of non-audio.
inline constexpr std::uint64_t kFrameSearchLimit = 256 * 1024;

// Reads the head and the tail of the stream with as few reads as it can
// (usually two, plus one when a large ID3v2 tag pushes the audio further).
TSongScan ScanSong(TSongStream& stream);

// Length of an ID3v2 tag starting at these bytes (header, body and footer),
// or 0 when they do not start one. Needs 10 bytes.
std::uint64_t Id3v2TagLength(std::span<const std::uint8_t> bytes);

}  // namespace orvane
