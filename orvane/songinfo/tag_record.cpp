#include "tag_record.h"

#include <algorithm>

namespace orvane {
namespace {

constexpr std::size_t kTitleAt = 3;
constexpr std::size_t kArtistAt = 33;
constexpr std::size_t kAlbumAt = 63;
constexpr std::size_t kYearAt = 93;
constexpr std::size_t kCommentAt = 97;
constexpr std::size_t kGenreAt = 127;

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

std::string ReadField(const TTagBytes& bytes, std::size_t at, std::size_t width)
{
    const auto* begin = reinterpret_cast<const char*>(bytes.data()) + at;
    return TrimTagText(std::string_view(begin, width));
}

void WriteField(TTagBytes& bytes, std::size_t at, std::size_t width, std::string_view text)
{
    const std::size_t count = std::min(width, text.size());
    for (std::size_t i = 0; i < width; ++i) {
        bytes[at + i] = i < count ? static_cast<std::uint8_t>(text[i]) : 0;
    }
}

}  // namespace

std::string TrimTagText(std::string_view text)
{
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsBlank(text[begin])) ++begin;
    while (end > begin && IsBlank(text[end - 1])) --end;
    return std::string(text.substr(begin, end - begin));
}

bool HasTagMarker(const TTagBytes& bytes)
{
    return bytes[0] == 'T' && bytes[1] == 'A' && bytes[2] == 'G';
}

std::optional<TTagRecord> DecodeTag(const TTagBytes& bytes)
{
    if (!HasTagMarker(bytes)) return std::nullopt;
    TTagRecord record;
    record.title = ReadField(bytes, kTitleAt, kTagTextWidth);
    record.artist = ReadField(bytes, kArtistAt, kTagTextWidth);
    record.album = ReadField(bytes, kAlbumAt, kTagTextWidth);
    record.year = ReadField(bytes, kYearAt, kTagYearWidth);
    record.comment = ReadField(bytes, kCommentAt, kTagTextWidth);
    record.genre = bytes[kGenreAt];
    return record;
}

TTagBytes EncodeTag(const TTagRecord& record)
{
    TTagBytes bytes{};
    WriteField(bytes, 0, 3, "TAG");
    WriteField(bytes, kTitleAt, kTagTextWidth, record.title);
    WriteField(bytes, kArtistAt, kTagTextWidth, record.artist);
    WriteField(bytes, kAlbumAt, kTagTextWidth, record.album);
    WriteField(bytes, kYearAt, kTagYearWidth, record.year);
    WriteField(bytes, kCommentAt, kTagTextWidth, record.comment);
    bytes[kGenreAt] = record.genre;
    return bytes;
}

}  // namespace orvane
