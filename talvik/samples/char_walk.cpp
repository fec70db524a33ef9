#include "char_walk.h"

namespace talvik {

std::size_t NextSingleByteChar(const std::string&, std::size_t at) {
    return at + 1;
}

bool IsSeparatorAt(const std::string& text, std::size_t at, NextCharFn next) {
    return at < text.size() && (text[at] == '\\' || text[at] == '/') && next(text, at) == at + 1;
}

bool EndsInSeparator(const std::string& text, NextCharFn next) {
    std::size_t last = text.size();
    for (std::size_t at = 0; at < text.size(); at = next(text, at)) {
        last = at;
    }
    return IsSeparatorAt(text, last, next);
}

std::string CutBetweenChars(const std::string& text, std::size_t bytes, NextCharFn next) {
    std::size_t end = 0;
    while (end < text.size()) {
        const std::size_t after = next(text, end);
        if (after > bytes) {
            break;
        }
        end = after;
    }
    return text.substr(0, end);
}

}  // namespace talvik
