// Little-endian field access for the recorder's binary records.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace brevant {

// Appends fields to a growing byte vector, field by field.
class LittleEndianWriter {
public:
    void u8(std::uint8_t v) { bytes_.push_back(v); }
    void u16(std::uint16_t v) {
        u8(static_cast<std::uint8_t>(v & 0xFF));
        u8(static_cast<std::uint8_t>(v >> 8));
    }
    void i16(std::int16_t v) { u16(static_cast<std::uint16_t>(v)); }
    void u32(std::uint32_t v) {
        u16(static_cast<std::uint16_t>(v & 0xFFFF));
        u16(static_cast<std::uint16_t>(v >> 16));
    }
    void i32(std::int32_t v) { u32(static_cast<std::uint32_t>(v)); }
    void tag(std::string_view fourcc) {
        for (std::size_t i = 0; i < 4; ++i) u8(i < fourcc.size() ? static_cast<std::uint8_t>(fourcc[i]) : ' ');
    }
    // A NUL-padded text field of exactly `width` bytes; the caller has checked the length.
    void text(const std::string& s, std::size_t width) {
        for (std::size_t i = 0; i < width; ++i) u8(i < s.size() ? static_cast<std::uint8_t>(s[i]) : 0);
    }
    void zeros(std::size_t n) { bytes_.insert(bytes_.end(), n, 0); }

    const std::vector<std::uint8_t>& bytes() const { return bytes_; }
    std::vector<std::uint8_t> take() { return std::move(bytes_); }

private:
    std::vector<std::uint8_t> bytes_;
};

// Bounds-checked reader: reading past the end yields zeros and clears ok().
class LittleEndianReader {
public:
    LittleEndianReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    explicit LittleEndianReader(const std::vector<std::uint8_t>& v) : LittleEndianReader(v.data(), v.size()) {}

    std::uint8_t u8() {
        if (pos_ >= size_) {
            ok_ = false;
            return 0;
        }
        return data_[pos_++];
    }
    std::uint16_t u16() {
        const std::uint16_t lo = u8();
        const std::uint16_t hi = u8();
        return static_cast<std::uint16_t>(lo | (hi << 8));
    }
    std::int16_t i16() { return static_cast<std::int16_t>(u16()); }
    std::uint32_t u32() {
        const std::uint32_t lo = u16();
        const std::uint32_t hi = u16();
        return lo | (hi << 16);
    }
    std::int32_t i32() { return static_cast<std::int32_t>(u32()); }
    // A NUL-terminated text in a field of `width` bytes. A field without its
    // NUL (a damaged file) yields all `width` bytes and never reads beyond.
    std::string text(std::size_t width) {
        std::string s;
        bool ended = false;
        for (std::size_t i = 0; i < width; ++i) {
            const char c = static_cast<char>(u8());
            if (c == '\0') ended = true;
            if (!ended) s.push_back(c);
        }
        return s;
    }
    void skip(std::size_t n) {
        if (n > size_ - pos_) {
            pos_ = size_;
            ok_ = false;
        } else {
            pos_ += n;
        }
    }

    bool ok() const { return ok_; }
    std::size_t position() const { return pos_; }
    std::size_t remaining() const { return size_ - pos_; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
    bool ok_ = true;
};

}  // namespace brevant
