// Reading and writing song files by name: header, play time and tag.
#pragma once

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
    std::string error;             // why it could not be read
    std::int32_t seconds = 0;
    std::optional<TMpegInfo> header;
    std::optional<TTagRecord> tag;
};
TSongFileInfo ReadSongFileInfo(TSongStream& stream);
TSongFileInfo ReadSongFileInfo(const std::string& fileName);

}  // namespace orvane
