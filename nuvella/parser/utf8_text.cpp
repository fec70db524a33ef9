#include "utf8_text.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace nuvella {
namespace {

// Bytes 0x80..0x9F of code page 1252; the five it leaves undefined map to the same code
// point, as the platform maps them.
constexpr std::array<char16_t, 32> kWindowsHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char codePage1252Byte(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
        return static_cast<char>(c);
    }
    for (std::size_t i = 0; i < kWindowsHigh.size(); ++i) {
        if (kWindowsHigh[i] == c) {
            return static_cast<char>(0x80 + i);
        }
    }
    return '?';
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

}  // namespace

void Utf8Check::feed(const char* text, std::size_t size) {
    const auto* p = reinterpret_cast<const unsigned char*>(text);
    std::size_t i = 0;
    while (i < size && !bad_) {
        if (need_ == 0) {
            // Mostly ASCII: pass eight bytes at a time while none has its top bit set.
            std::uint64_t word;
            while (i + 8 <= size &&
                   (std::memcpy(&word, p + i, 8), (word & 0x8080808080808080ull) == 0)) {
                i += 8;
            }
            if (i == size) {
                break;
            }
            const unsigned char c = p[i++];
            if (c < 0x80) {
                continue;
            }
            multiByte_ = true;
            low_ = 0x80;
            high_ = 0xBF;
            if (c >= 0xC2 && c <= 0xDF) {
                need_ = 1;
            } else if (c >= 0xE0 && c <= 0xEF) {
                need_ = 2;
                low_ = c == 0xE0 ? 0xA0 : 0x80;
                high_ = c == 0xED ? 0x9F : 0xBF;
            } else if (c >= 0xF0 && c <= 0xF4) {
                need_ = 3;
                low_ = c == 0xF0 ? 0x90 : 0x80;
                high_ = c == 0xF4 ? 0x8F : 0xBF;
            } else {
                bad_ = true;
            }
        } else {
            const unsigned char c = p[i++];
            if (c < low_ || c > high_) {
                bad_ = true;
            }
            --need_;
            low_ = 0x80;
            high_ = 0xBF;
        }
    }
}

bool readsAsUtf8(const char* text, std::size_t size) {
    Utf8Check check;
    check.feed(text, size);
    return check.readsAsUtf8();
}

std::size_t utf8BomSize(const char* text, std::size_t size) {
    return std::string_view(text, size).starts_with(kUtf8Bom) ? kUtf8Bom.size() : 0;
}

std::size_t utf8ToCodePage1252(char* text, std::size_t size) {
    const auto* in = reinterpret_cast<const unsigned char*>(text);
    std::size_t out = 0;
    for (std::size_t i = 0; i < size;) {
        const unsigned char c = in[i];
        std::size_t length = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        if (c >= 0x80 && c < 0xC0) {
            length = 1;  // a stray continuation byte: the caller checked, but never read past
        }
        if (i + length > size) {
            length = size - i;
        }
        char32_t code = length == 1 ? c : c & (0x7F >> length);
        for (std::size_t k = 1; k < length; ++k) {
            code = (code << 6) | (in[i + k] & 0x3F);
        }
        text[out++] = (length == 1 && c >= 0x80) ? '?' : codePage1252Byte(code);
        i += length;
    }
    return out;
}

void codePage1252ToUtf8(std::string_view text, std::string& out) {
    for (const char byte : text) {
        const auto c = static_cast<unsigned char>(byte);
        appendUtf8(out, c >= 0x80 && c < 0xA0 ? kWindowsHigh[c - 0x80u] : char32_t{c});
    }
}

}  // namespace nuvella
