// Walking an ANSI text character by character. In the double-byte code pages (932, 936,
// 949, 950) the second byte of a character can be "\" (表, ソ), so a test of single bytes
// would take it for a separator, and a cut by bytes could split the character.
#pragma once

#include <cstddef>
#include <string>

namespace talvik {

// The position after the character that starts at `at` (`at` < text.size()).
using NextCharFn = std::size_t (*)(const std::string& text, std::size_t at);

// Every byte a character: the single-byte code pages, and every platform but Windows.
std::size_t NextSingleByteChar(const std::string& text, std::size_t at);

// Whether `at` holds a separator ("\" or "/") that is a character of its own.
bool IsSeparatorAt(const std::string& text, std::size_t at, NextCharFn next);
// Whether the text's last character is a separator.
bool EndsInSeparator(const std::string& text, NextCharFn next);
// The longest start of `text` of at most `bytes` bytes that ends between characters.
std::string CutBetweenChars(const std::string& text, std::size_t bytes, NextCharFn next);

}  // namespace talvik
