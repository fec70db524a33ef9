// MP3 song files: ID3v2 skipping, the first frame header, Xing/VBRI counts, the
// play time, the ID3 version 1 tag and the ID3v2 tag. Writing a tag must read
// back equal, leave the audio bytes alone and not change what the scan finds; the
// six ID3v2 frames written into a tag read back as written, every other frame
// kept byte for byte.
#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

#include "fuzz_temp_file.h"
#include "id3v2_tag.h"
#include "memory_song_stream.h"
#include "play_time.h"
#include "song_file.h"
#include "song_scan.h"

using namespace orvane;

namespace {

// The frames of a rendered tag hold every frame of the old one that is none of the six, in order.
void CheckId3v2RoundTrip(std::span<const std::uint8_t> bytes)
{
    TLatin1TagTextCodec codec;
    const auto tag = ParseId3v2Tag(bytes, codec);
    if (!tag || tag->frames.empty()) return;
    TTagRecord values = tag->values;
    values.title = "Fuzz \xE9t\xE9";
    values.year = "1999";
    values.comment = tag->values.comment.empty() ? "note" : "";
    values.genre = 7;
    const auto rendered = RenderId3v2Tag(*tag, values, codec, tag->tagLength);
    const auto again = ParseId3v2Tag(rendered, codec);
    FUZZ_CHECK(again && again->tagLength == rendered.size());
    FUZZ_CHECK(again->values == values);
    std::size_t next = 0;
    static const char* const kOurs[] = {"TT2", "TP1", "TAL", "TYE", "TCO", "COM", "TIT2", "TPE1",
                                        "TALB", "TYER", "TDRC", "TCON", "COMM"};
    for (const TId3v2Frame& frame : tag->frames) {
        if (std::find(std::begin(kOurs), std::end(kOurs), frame.id) != std::end(kOurs)) continue;
        const auto old = std::span(tag->body).subspan(frame.at, frame.length);
        bool found = false;
        for (; next < again->frames.size() && !found; ++next) {
            const TId3v2Frame& f = again->frames[next];
            found = std::ranges::equal(old, std::span(again->body).subspan(f.at, f.length));
        }
        FUZZ_CHECK(found);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<std::uint8_t> bytes(data, data + size);
    if (size >= 10) (void)Id3v2TagLength(std::span<const std::uint8_t>(bytes.data(), 10));
    CheckId3v2RoundTrip(bytes);

    TMemorySongStream stream(bytes);
    const TSongScan scan = ScanSong(stream);
    FUZZ_CHECK(scan.readable);
    FUZZ_CHECK(scan.fileSize == size);
    FUZZ_CHECK(scan.audioEnd <= scan.fileSize);
    FUZZ_CHECK(scan.seconds >= 0);
    (void)FormatPlayTime(scan.seconds);

    const TSongFileInfo info = ReadSongFileInfo(stream);
    FUZZ_CHECK(info.readable);
    FUZZ_CHECK(info.seconds == scan.seconds);
    FUZZ_CHECK(info.header.has_value() == scan.hasHeader);

    TTagRecord record;
    if (info.tag) {
        record = *info.tag;
        // A decoded record encodes to a tag that decodes to the same record.
        const auto again = DecodeTag(EncodeTag(record));
        FUZZ_CHECK(again && *again == record);
    } else {
        record.title = "Fuzz";
        record.genre = 7;
    }

    const TTagBytes tag = EncodeTag(record);
    const TWriteTagOutcome outcome = WriteTag(stream, tag);
    FUZZ_CHECK(outcome.result == TWriteTagResult::Written);
    const auto& written = stream.Bytes();
    const std::size_t audioBytes = scan.hasTrailingTag ? size - 128 : size;
    FUZZ_CHECK(written.size() == audioBytes + 128);
    FUZZ_CHECK(std::equal(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(audioBytes),
                          written.begin()));
    TTagBytes readBack{};
    FUZZ_CHECK(ReadTag(stream, readBack));
    FUZZ_CHECK(readBack == tag);
    const auto decoded = DecodeTag(readBack);
    FUZZ_CHECK(decoded && *decoded == record);

    const TSongScan after = ScanSong(stream);
    FUZZ_CHECK(after.hasHeader == scan.hasHeader);
    if (after.hasHeader) {
        FUZZ_CHECK(after.info == scan.info);
        FUZZ_CHECK(after.seconds == scan.seconds);
    }
    return 0;
}
