// The Items.Data block of a set file: the song list entries.
//
//   size  u32   whole block, these two fields included
//   count u32
//   per entry: image i32 (0), state i32, overlay i32 (-1), sub-item count i32 (4),
//              data u32 (0), caption and sub-items each a length byte + up to 255 chars
//   sub-items: time text, folder, usage flag, seconds.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "song_entry.h"

namespace orvane {

inline constexpr std::size_t kMaxStoredText = 255;

class ByteWriter;

// Size in bytes of the block for these entries, texts counted as cut.
std::size_t ItemsBlockSize(const std::vector<TSongEntry>& entries);
// Texts longer than 255 characters are cut; cutTexts counts them.
void AppendItemsBlock(ByteWriter& writer, const std::vector<TSongEntry>& entries,
                      std::size_t* cutTexts = nullptr);
std::vector<std::uint8_t> EncodeItemsBlock(const std::vector<TSongEntry>& entries,
                                           std::size_t* cutTexts = nullptr);

// Appends every entry read whole to entries; returns an error text, empty on success.
std::string DecodeItemsBlock(std::span<const std::uint8_t> block,
                             std::vector<TSongEntry>& entries);

}  // namespace orvane
