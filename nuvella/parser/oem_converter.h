// Converts issue text to the ANSI code page: from the OEM code page or from UTF-8, in place.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace nuvella {

class OemConverter {
  public:
    virtual ~OemConverter() = default;
    // The conversion is byte for byte, so a whole buffer converts like its lines one by one.
    virtual void toAnsi(char* text, std::size_t size) = 0;
    // Valid UTF-8 to ANSI in place, a character the code page lacks becoming '?': returns the
    // new size, never more than `size`. Line feeds and other ASCII stay as they are.
    virtual std::size_t utf8ToAnsi(char* text, std::size_t size) = 0;
    // ANSI text back to UTF-8, appended to `out` (the outline printer's --utf8).
    virtual void ansiToUtf8(std::string_view text, std::string& out) = 0;
};

}  // namespace nuvella
