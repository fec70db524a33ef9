// Reading and writing song files by name: header, play time and tag.
#pragma once

#include "id3v2_tag.h"
#include "mpeg_info.h"
#include "song_stream.h"
#include "tag_record.h"

#include <cstdint>
#include <optional>
#include <string>

namespace orvane {

// Play time in whole seconds; fills info when given and a frame header was
// found. 0, info untouched, when the file cannot be opened or holds no frame.
std::int32_t ReadMpegInfo(TSongStream& stream, TMpegInfo* info);
std::int32_t ReadMpegInfo(const std::string& fileName, TMpegInfo* info);

// The last 128 bytes; true when they begin with "TAG". A file shorter than
// that has no tag.
bool ReadTag(TSongStream& stream, TTagBytes& record);
bool ReadTag(const std::string& fileName, TTagBytes& record);

enum class TWriteTagResult {
    Written,
    NotWritable,  // missing or read-only: nothing written; error says which, for a
                  // caller that had not shown "Read Only" beforehand
    Failed,       // an input/output error; the song's audio is left as it was
};
struct TWriteTagOutcome {
    TWriteTagResult result;
    std::string error;  // for Failed and NotWritable: what went wrong, naming the file
};

// Overwrites a trailing tag in place or appends one; never touches the bytes
// before the tag. A failed append is cut back, a failed overwrite restored.
TWriteTagOutcome WriteTag(TSongStream& stream, const TTagBytes& record);
TWriteTagOutcome WriteTag(const std::string& fileName, const TTagBytes& record);

// True when the file's read-only attribute is set (false for a missing file).
bool IsReadOnlyFile(const std::string& fileName);

// Everything the information panel and orvane-info show, from one open with
// a head and a tail read.
struct TSongFileInfo {
    bool readable = false;
    std::string error;  // why it could not be read
    std::int32_t seconds = 0;
    std::optional<TMpegInfo> header;
    std::optional<TTagRecord> tag;
    std::optional<TId3v2Tag> id3v2;  // the ID3v2 tag the file begins with, when it can be read
};
TSongFileInfo ReadSongFileInfo(TSongStream& stream, TTagTextCodec& codec = SystemTagTextCodec());
TSongFileInfo ReadSongFileInfo(const std::string& fileName,
                               TTagTextCodec& codec = SystemTagTextCodec());

// The ID3v2 tag the stream begins with, read whole (nothing when there is none or it cannot be
// read: a tag claiming more than 64 MiB is not believed).
std::optional<TId3v2Tag> ReadId3v2Tag(TSongStream& stream, TTagTextCodec& codec);

// Sets the six frames of the file's ID3v2 tag (a file without one is left alone): in place when
// the tag's size and padding hold them, otherwise the whole file is written beside it with the
// new tag and the same audio bytes, and renamed over it.
TWriteTagOutcome WriteId3v2Values(const std::string& fileName, const TTagRecord& values,
                                  TTagTextCodec& codec);

// Saves the tag page: the ID3v2 frames, then the ID3 version 1 tag (its fields cut to their
// widths), so every tag a player reads says the same.
TWriteTagOutcome WriteSongTags(const std::string& fileName, const TTagRecord& values,
                               TTagTextCodec& codec = SystemTagTextCodec());
// The same with the ID3v2 frames' values apart (uncut, or kept from the tag where the ID3
// version 1 tag holds them only cut). A missing or read-only file is refused as WriteTag
// refuses it, before anything is opened.
TWriteTagOutcome WriteSongTags(const std::string& fileName, const TTagRecord& id3v1,
                               const TTagRecord& id3v2Values,
                               TTagTextCodec& codec = SystemTagTextCodec());

}  // namespace orvane
