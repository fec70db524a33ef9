// Ordering of song list entries: the three sort keys and their comparison.
#pragma once

#include "song_entry.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvane {

enum class TSortKey { ByFilename = 0, ByTime = 1, ByPath = 2, NoSort = 3 };

// Three-way text comparison used for captions and folders.
using TTextCompare = int (*)(std::string_view, std::string_view);
// A text's sort key: two keys compare byte by byte as the comparison compares their texts.
using TTextSortKey = std::string (*)(std::string_view);

// A portable stand-in for the system's locale comparison: letters compare
// without case first, then a lower-case letter before its upper case, so
// "apple" < "Banana" < "banana" < "cherry".
int CompareLocaleText(std::string_view a, std::string_view b);

// The seconds column as a number; nullopt when it is not a whole number.
std::optional<std::int64_t> ParseSeconds(std::string_view text);

// The sort parameter: key in the low 16 bits, non-zero high 16 bits reverse.
std::uint32_t SortParameter(TSortKey key, bool reverse);

// Sort callback: negative, zero or positive. Key 1 compares the seconds;
// an entry without a number sorts after every entry with one (and equal to
// another without), so the order is consistent and Reverse mirrors it.
// Any key but 1 and 2 compares captions.
int CompareSongEntries(const TSongEntry& a, const TSongEntry& b, std::uint32_t parameter,
                       TTextCompare compareText = CompareLocaleText);

}  // namespace orvane
