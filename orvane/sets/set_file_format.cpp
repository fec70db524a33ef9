#include "set_file_format.h"

#include <algorithm>

#include "byte_reader.h"
#include "byte_writer.h"
#include "items_block.h"
#include "text_rules.h"

namespace orvane {

namespace {

constexpr std::uint8_t kResourceMarker = 0xFF;
constexpr std::uint16_t kRcData = 10;
constexpr std::string_view kSignature = "TPF0";
constexpr std::size_t kMaxResourceName = 256;

void WriteItemsRecord(ByteWriter& w, const std::vector<TSongEntry>& entries,
                      std::size_t blockSize, std::size_t* cutTexts) {
    w.ShortString(kItemsDataName);
    w.U8(static_cast<std::uint8_t>(TStreamValueType::Binary));
    w.U32(static_cast<std::uint32_t>(blockSize));
    AppendItemsBlock(w, entries, cutTexts);
}

// Reads the object stream inside the resource; returns the first damage found.
std::string ReadObject(ByteReader& r, TSetFileImage& image) {
    if (r.Text(kSignature.size()) != kSignature) return "object stream signature missing";
    // Streams written elsewhere may start with a flags byte (0xF0 | flags), and with
    // ffChildPos (2) a position value after it; this program writes neither.
    if ((r.Peek() & 0xF0) == 0xF0) {
        const std::uint8_t flags = r.U8();
        if ((flags & 2) != 0 && !SkipStreamValue(r)) return "object stream damaged in its header";
    }
    image.className = r.ShortString();
    image.objectName = r.ShortString();
    if (!r.ok()) return "object stream truncated in its header";

    image.properties.clear();
    image.entries.clear();
    bool itemsSeen = false;
    image.itemsIndex = 0;
    for (;;) {
        const std::size_t nameLength = r.U8();
        if (!r.ok()) return "object stream truncated after property " + std::to_string(image.properties.size());
        if (nameLength == 0) break;
        std::string name = r.Text(nameLength);
        if (!r.ok()) return "object stream truncated in a property name";
        if (!itemsSeen && name == kItemsDataName &&
            r.Peek() == static_cast<std::uint8_t>(TStreamValueType::Binary)) {
            itemsSeen = true;
            image.itemsIndex = image.properties.size();
            r.U8();
            const std::size_t length = r.U32();
            if (!r.ok()) return "object stream truncated in Items.Data";
            // A short block is still read as far as it goes.
            const std::size_t available = std::min(length, r.remaining());
            const auto block = r.Bytes(available);
            std::string error = DecodeItemsBlock(block, image.entries);
            if (available < length) return "object stream truncated in Items.Data (" + error + ")";
            if (!error.empty()) return error;
            continue;
        }
        const std::size_t start = r.position();
        ByteReader probe = r;
        if (!SkipStreamValue(probe)) return "property " + name + " is damaged";
        const auto value = r.Bytes(probe.position() - start);
        image.properties.push_back({std::move(name), TStreamValue(value.begin(), value.end())});
    }
    if (!itemsSeen) image.itemsIndex = image.properties.size();
    const std::uint8_t children = r.U8();
    if (!r.ok()) return "object stream truncated before its end";
    if (children != 0) return "object stream holds child objects, which are not read";
    return {};
}

}  // namespace

std::vector<std::uint8_t> WriteSetFile(const TSetFileImage& image, std::size_t* cutTexts) {
    const std::size_t blockSize = image.entries.empty() ? 0 : ItemsBlockSize(image.entries);
    std::size_t propertiesSize = 0;
    for (const auto& property : image.properties) {
        propertiesSize += 1 + property.name.size() + property.value.size();
    }
    // One buffer of the final size: a large set is written without regrowing.
    ByteWriter w;
    w.Reserve(64 + image.resourceName.size() + image.className.size() +
              image.objectName.size() + propertiesSize + kItemsDataName.size() + blockSize);
    w.U8(kResourceMarker);
    w.U16(kRcData);
    w.Text(UpperText(image.resourceName));
    w.U8(0);
    w.U16(image.resourceFlags);
    const std::size_t sizeOffset = w.size();
    w.U32(0);
    const std::size_t start = w.size();

    w.Text(kSignature);
    const std::string_view className = std::string_view(image.className).substr(0, 255);
    // A length byte of 0xF0 or more would read as the flags byte some streams
    // start with: an empty flags byte first keeps such a class name readable.
    if (className.size() >= 0xF0) w.U8(0xF0);
    w.ShortString(className);
    w.ShortString(std::string_view(image.objectName).substr(0, 255));
    const std::size_t itemsIndex = std::min(image.itemsIndex, image.properties.size());
    for (std::size_t i = 0; i <= image.properties.size(); ++i) {
        // An empty list stores no Items.Data record at all.
        if (i == itemsIndex && !image.entries.empty()) WriteItemsRecord(w, image.entries, blockSize, cutTexts);
        if (i == image.properties.size()) break;
        const auto& property = image.properties[i];
        w.ShortString(std::string_view(property.name).substr(0, 255));
        w.Bytes(property.value);
    }
    w.U8(0);  // end of the properties
    w.U8(0);  // no children
    w.PatchU32(sizeOffset, static_cast<std::uint32_t>(w.size() - start));
    return std::move(w.bytes());
}

TSetFileReadResult ReadSetFile(std::span<const std::uint8_t> data) {
    TSetFileReadResult result;
    result.image.properties.clear();
    ByteReader r(data);
    const std::uint8_t marker = r.U8();
    const std::uint16_t type = r.U16();
    if (!r.ok() || marker != kResourceMarker || type != kRcData) {
        result.error = "not a set file (no resource header)";
        return result;
    }
    std::string name;
    for (std::uint8_t c = r.U8(); r.ok() && c != 0; c = r.U8()) {
        if (name.size() >= kMaxResourceName) break;
        name.push_back(static_cast<char>(c));
    }
    result.image.resourceName = name;
    result.image.resourceFlags = r.U16();
    const std::size_t declared = r.U32();
    if (!r.ok() || name.size() >= kMaxResourceName) {
        result.error = "set file truncated in its resource header";
        return result;
    }
    // Bytes after the declared resource are not part of it and are ignored.
    const std::size_t available = std::min(declared, r.remaining());
    ByteReader object(r.Bytes(available));
    result.error = ReadObject(object, result.image);
    if (result.error.empty() && available < declared) {
        result.error = "set file truncated: " + std::to_string(declared - available) +
                       " bytes missing";
    }
    return result;
}

}  // namespace orvane
