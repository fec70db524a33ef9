#include "items_block.h"

#include "byte_reader.h"
#include "byte_writer.h"

namespace orvane {

namespace {

constexpr std::size_t kBlockHeader = 8;
constexpr std::size_t kEntryFixed = 21;  // five 32-bit fields and the caption's length byte
constexpr std::int32_t kSubItemCount = 4;

std::string_view Cut(const std::string& text, std::size_t* cutTexts) {
    if (text.size() <= kMaxStoredText) return text;
    if (cutTexts) ++*cutTexts;
    return std::string_view(text).substr(0, kMaxStoredText);
}

}  // namespace

std::size_t ItemsBlockSize(const std::vector<TSongEntry>& entries) {
    // The size counts the texts as written (cut), so it always matches the block.
    std::size_t size = kBlockHeader;
    for (const auto& e : entries) {
        size += kEntryFixed + Cut(e.caption, nullptr).size();
        for (const std::string* text : {&e.timeText, &e.folder, &e.usedFlag, &e.secondsText}) {
            size += Cut(*text, nullptr).size() + 1;
        }
    }
    return size;
}

void AppendItemsBlock(ByteWriter& w, const std::vector<TSongEntry>& entries,
                      std::size_t* cutTexts) {
    w.U32(static_cast<std::uint32_t>(ItemsBlockSize(entries)));
    w.U32(static_cast<std::uint32_t>(entries.size()));
    for (const auto& e : entries) {
        w.I32(0);  // image index, unused
        w.I32(e.stateImage);
        w.I32(-1);  // overlay, none
        w.I32(kSubItemCount);
        w.U32(0);  // data
        w.ShortString(Cut(e.caption, cutTexts));
        for (const std::string* text : {&e.timeText, &e.folder, &e.usedFlag, &e.secondsText}) {
            w.ShortString(Cut(*text, cutTexts));
        }
    }
}

std::vector<std::uint8_t> EncodeItemsBlock(const std::vector<TSongEntry>& entries,
                                           std::size_t* cutTexts) {
    ByteWriter w;
    w.Reserve(ItemsBlockSize(entries));
    AppendItemsBlock(w, entries, cutTexts);
    return std::move(w.bytes());
}

std::string DecodeItemsBlock(std::span<const std::uint8_t> block,
                             std::vector<TSongEntry>& entries) {
    ByteReader r(block);
    const std::uint32_t size = r.U32();
    const std::uint32_t count = r.U32();
    if (!r.ok()) return "items block shorter than its header";
    // Never trust the count for memory: each entry takes at least 21 bytes.
    if (count > r.remaining() / kEntryFixed) {
        entries.reserve(entries.size() + r.remaining() / kEntryFixed);
    } else {
        entries.reserve(entries.size() + count);
    }
    for (std::uint32_t i = 0; i < count; ++i) {
        TSongEntry e;
        r.I32();  // image index
        e.stateImage = r.I32();
        r.I32();  // overlay
        const std::int32_t subItems = r.I32();
        r.U32();  // data
        e.caption = r.ShortString();
        if (!r.ok()) return "items block truncated in entry " + std::to_string(i + 1);
        if (subItems < 0) return "entry " + std::to_string(i + 1) + " has a bad sub-item count";
        // Entries written elsewhere may hold fewer or more sub-items than the four used.
        // Each text takes at least its length byte, so a huge count ends at the data's end.
        std::string* fields[] = {&e.timeText, &e.folder, &e.usedFlag, &e.secondsText};
        for (std::int32_t s = 0; s < subItems && r.ok(); ++s) {
            std::string text = r.ShortString();
            if (s < kSubItemCount) *fields[s] = std::move(text);
        }
        if (!r.ok()) return "items block truncated in entry " + std::to_string(i + 1);
        entries.push_back(std::move(e));
    }
    if (size != block.size()) {
        return "items block size " + std::to_string(size) + " does not match its length " +
               std::to_string(block.size());
    }
    if (!r.AtEnd()) return "items block has bytes after its last entry";
    return {};
}

}  // namespace orvane
