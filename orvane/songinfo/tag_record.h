// TTagRecord: the 128-byte ID3 version 1 tag at the end of a song file, and
// its one reader and one writer.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvane {

using TTagBytes = std::array<std::uint8_t, 128>;

inline constexpr std::size_t kTagTextWidth = 30;
inline constexpr std::size_t kTagYearWidth = 4;
inline constexpr std::uint8_t kNoGenre = 255;

// Text fields are trimmed of leading and trailing characters with codes 32
// and below; the genre is the raw byte (see genre_list.h for its name).
struct TTagRecord {
    std::string title;
    std::string artist;
    std::string album;
    std::string year;
    std::string comment;
    std::uint8_t genre = kNoGenre;

    bool operator==(const TTagRecord&) const = default;
};

bool HasTagMarker(const TTagBytes& bytes);
// nullopt unless the bytes begin with "TAG".
std::optional<TTagRecord> DecodeTag(const TTagBytes& bytes);
// Each field cut to its width and padded with zero bytes, so no field ever
// spills into the next and the genre byte keeps the genre.
TTagBytes EncodeTag(const TTagRecord& record);

// Removes leading and trailing characters with codes 32 and below.
std::string TrimTagText(std::string_view text);

}  // namespace orvane
