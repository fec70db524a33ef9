// The ID3 version 2 tag at the start of a song file (versions 2.2, 2.3 and 2.4): the six
// values the tag page edits, read and updated in place, every other frame kept as it is.
#pragma once

#include "tag_record.h"
#include "tag_text_codec.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace orvane {

// One frame as the tag holds it: where its header starts in the tag body (unsynchronisation
// undone) and how long it is with its header.
struct TId3v2Frame {
    std::string id;
    std::size_t at = 0;
    std::size_t length = 0;
};

struct TId3v2Tag {
    int version = 0;              // 2, 3 or 4
    std::uint64_t tagLength = 0;  // header, body, footer: the bytes before the audio
    // The values in the ANSI code page, uncut, as the tag page shows them; genre is the byte
    // of the genre list the frame names (kNoGenre when it names none) and genreText the
    // frame's own text.
    TTagRecord values;
    std::string genreText;
    std::vector<std::uint8_t> body;  // the frames and padding, unsynchronisation undone
    std::vector<TId3v2Frame> frames;
};

// Reads the tag that `bytes` begin with: nothing when they hold no whole ID3v2 tag. Frames
// that are compressed or encrypted are kept but not read; an extended header is skipped.
std::optional<TId3v2Tag> ParseId3v2Tag(std::span<const std::uint8_t> bytes, TTagTextCodec& codec);

// The genre byte a TCON text names: "(17)", "17" or "Rock"; kNoGenre for any other.
std::uint8_t GenreFromText(std::string_view text);

// The tag with the six frames set to `values` (a frame whose value is unchanged is kept as it
// is, an emptied one removed), as bytes to write at the start of the file. At least
// `minimumLength` long when the frames fit, padded with zeros; the new tag carries no
// unsynchronisation, extended header or footer.
std::vector<std::uint8_t> RenderId3v2Tag(const TId3v2Tag& tag, const TTagRecord& values,
                                         TTagTextCodec& codec, std::uint64_t minimumLength);

}  // namespace orvane
