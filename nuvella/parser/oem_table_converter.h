// OEM (code page 437) to ANSI (code page 1252) by a table, as the platform converts it; UTF-8
// to and from code page 1252.
#pragma once

#include "oem_converter.h"

namespace nuvella {

class OemTableConverter final : public OemConverter {
  public:
    void toAnsi(char* text, std::size_t size) override;
    std::size_t utf8ToAnsi(char* text, std::size_t size) override;
    void ansiToUtf8(std::string_view text, std::string& out) override;
    static unsigned char convert(unsigned char oem);
};

}  // namespace nuvella
