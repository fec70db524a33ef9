// The set file: one resource entry holding the song list control's object stream.
//
//   0xFF, u16 10 (RCDATA), "TLISTVIEW\0", u16 0x1030, u32 size of the rest,
//   "TPF0", class "TListView", name "SongList" (length-prefixed),
//   property records (length-prefixed name, value type byte, value) ending in 0,
//   0 for the absent children.
// The entries are the property record Items.Data (see items_block.h).
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "set_file_image.h"

namespace orvane {

struct TSetFileReadResult {
    TSetFileImage image;  // everything that could be read, entries included
    std::string error;    // empty when the whole file was read
    bool ok() const { return error.empty(); }
};

// Texts longer than 255 characters are cut; cutTexts counts them.
std::vector<std::uint8_t> WriteSetFile(const TSetFileImage& image,
                                       std::size_t* cutTexts = nullptr);
// Never reads past the data; a damaged file gives what came before the damage.
TSetFileReadResult ReadSetFile(std::span<const std::uint8_t> data);

}  // namespace orvane
