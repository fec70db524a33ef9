// Little-endian writer into a growing byte vector, field by field.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace orvane {

class ByteWriter {
public:
    std::vector<std::uint8_t>& bytes() { return bytes_; }
    std::size_t size() const { return bytes_.size(); }
    void Reserve(std::size_t n) { bytes_.reserve(n); }

    void U8(std::uint8_t v) { bytes_.push_back(v); }
    void U16(std::uint16_t v) {
        U8(static_cast<std::uint8_t>(v & 0xFF));
        U8(static_cast<std::uint8_t>(v >> 8));
    }
    void U32(std::uint32_t v) {
        for (int shift = 0; shift < 32; shift += 8) U8(static_cast<std::uint8_t>((v >> shift) & 0xFF));
    }
    void I32(std::int32_t v) { U32(static_cast<std::uint32_t>(v)); }
    void Text(std::string_view text) { bytes_.insert(bytes_.end(), text.begin(), text.end()); }
    void Bytes(std::span<const std::uint8_t> data) {
        bytes_.insert(bytes_.end(), data.begin(), data.end());
    }
    // A length byte and the text; callers cut texts to 255 characters first.
    void ShortString(std::string_view text) {
        U8(static_cast<std::uint8_t>(text.size()));
        Text(text);
    }
    // Overwrites four bytes written earlier (a size known only at the end).
    void PatchU32(std::size_t offset, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) bytes_[offset + i] = static_cast<std::uint8_t>((v >> (8 * i)) & 0xFF);
    }

private:
    std::vector<std::uint8_t> bytes_;
};

}  // namespace orvane
