// OEM (code page 437) to ANSI (code page 1252) by a table, as the platform converts it.
#pragma once

#include "oem_converter.h"

namespace nuvella {

class OemTableConverter final : public OemConverter {
  public:
    void toAnsi(char* text, std::size_t size) override;
    static unsigned char convert(unsigned char oem);
};

}  // namespace nuvella
