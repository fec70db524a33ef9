// Telling a UTF-8 issue from a code-page one, and the portable UTF-8 / code page 1252 mapping.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace nuvella {

// Checks text for UTF-8 a block at a time (a sequence may be cut between blocks). An issue
// reads as UTF-8 when all of it is valid and it holds at least one multi-byte sequence: a
// file in the OEM code page almost never passes, as its letters are lone bytes of 0x80 and up.
class Utf8Check {
  public:
    void feed(const char* text, std::size_t size);
    bool failed() const { return bad_; }
    bool readsAsUtf8() const { return !bad_ && need_ == 0 && multiByte_; }

  private:
    int need_ = 0;               // continuation bytes still due
    unsigned char low_ = 0x80;   // the range the next continuation byte must lie in: it
    unsigned char high_ = 0xBF;  // rules out overlong forms, surrogates and past U+10FFFF
    bool multiByte_ = false;
    bool bad_ = false;
};

bool readsAsUtf8(const char* text, std::size_t size);

// The byte-order mark some editors put first: skipped, it is no character of the text.
inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
std::size_t utf8BomSize(const char* text, std::size_t size);

// Code page 1252, as the platform maps it both ways: UTF-8 in place (never longer, a character
// the code page lacks becomes '?'; the new size is returned), and back to UTF-8 appended to out.
std::size_t utf8ToCodePage1252(char* text, std::size_t size);
void codePage1252ToUtf8(std::string_view text, std::string& out);

}  // namespace nuvella
