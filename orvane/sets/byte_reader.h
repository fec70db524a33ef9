// Bounds-checked little-endian reader over a byte span. A read past the end sets a
// sticky failure and returns zeros, so a parser checks ok() once per record.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace orvane {

class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> data) : data_(data) {}

    bool ok() const { return ok_; }
    std::size_t position() const { return pos_; }
    std::size_t remaining() const { return data_.size() - pos_; }
    bool AtEnd() const { return pos_ >= data_.size(); }

    std::uint8_t U8() {
        if (!Need(1)) return 0;
        return data_[pos_++];
    }
    std::uint16_t U16() {
        if (!Need(2)) return 0;
        const auto v = static_cast<std::uint16_t>(data_[pos_] | (data_[pos_ + 1] << 8));
        pos_ += 2;
        return v;
    }
    std::uint32_t U32() {
        if (!Need(4)) return 0;
        const std::uint32_t v = static_cast<std::uint32_t>(data_[pos_]) |
                                (static_cast<std::uint32_t>(data_[pos_ + 1]) << 8) |
                                (static_cast<std::uint32_t>(data_[pos_ + 2]) << 16) |
                                (static_cast<std::uint32_t>(data_[pos_ + 3]) << 24);
        pos_ += 4;
        return v;
    }
    std::int32_t I32() { return static_cast<std::int32_t>(U32()); }

    // A length byte and up to 255 characters.
    std::string ShortString() {
        const std::size_t length = U8();
        return Text(length);
    }
    std::string Text(std::size_t length) {
        if (!Need(length)) return {};
        std::string text(reinterpret_cast<const char*>(data_.data() + pos_), length);
        pos_ += length;
        return text;
    }
    std::span<const std::uint8_t> Bytes(std::size_t length) {
        if (!Need(length)) return {};
        auto bytes = data_.subspan(pos_, length);
        pos_ += length;
        return bytes;
    }
    void Skip(std::size_t length) { (void)Bytes(length); }
    // Looks at the next byte without taking it; 0 at the end (and no failure).
    std::uint8_t Peek() const { return AtEnd() ? 0 : data_[pos_]; }

private:
    bool Need(std::size_t n) {
        if (!ok_ || n > remaining()) {
            ok_ = false;
            return false;
        }
        return true;
    }
    std::span<const std::uint8_t> data_;
    std::size_t pos_ = 0;
    bool ok_ = true;
};

}  // namespace orvane
