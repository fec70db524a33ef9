// A set file's content: the song list control as stored, its entries and the other
// property records of the control kept as they were read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "column_widths.h"
#include "song_entry.h"
#include "stream_values.h"

namespace orvane {

struct TStreamProperty {
    std::string name;
    TStreamValue value;

    bool operator==(const TStreamProperty&) const = default;
};

inline constexpr std::string_view kItemsDataName = "Items.Data";

struct TSetFileImage {
    std::string resourceName = "TLISTVIEW";
    std::uint16_t resourceFlags = 0x1030;
    std::string className = "TListView";
    std::string objectName = "SongList";
    // Every property record but Items.Data, in stream order.
    std::vector<TStreamProperty> properties;
    // Items.Data is stored just before properties[itemsIndex] (at the end when equal to
    // the property count); an empty list stores no Items.Data record.
    std::size_t itemsIndex = 0;
    std::vector<TSongEntry> entries;

    bool operator==(const TSetFileImage&) const = default;
};

// The control's records for a list this program has not stored before.
TSetFileImage DefaultSongListImage(const TColumnWidths& widths);
// Puts the columns "Filename", "Time", "Path" with these widths into the image.
void SetImageColumns(TSetFileImage& image, const TColumnWidths& widths);

}  // namespace orvane
