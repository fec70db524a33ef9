#include "tag_text_codec.h"

namespace orvane {

std::string TLatin1TagTextCodec::ToAnsi(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        // A surrogate pair is one character the code page lacks.
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] < 0xE000)
            ++i;
        out += c <= 0xFF ? static_cast<char>(c) : '?';
    }
    return out;
}

std::u16string TLatin1TagTextCodec::FromAnsi(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (const char c : text) out += static_cast<char16_t>(static_cast<unsigned char>(c));
    return out;
}

#ifndef _WIN32
TTagTextCodec& SystemTagTextCodec() {
    static TLatin1TagTextCodec codec;
    return codec;
}
#endif

}  // namespace orvane
