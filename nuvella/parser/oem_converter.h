// Converts issue text from the OEM code page to the ANSI code page, in place.
#pragma once

#include <cstddef>

namespace nuvella {

class OemConverter {
  public:
    virtual ~OemConverter() = default;
    // The conversion is byte for byte, so a whole buffer converts like its lines one by one.
    virtual void toAnsi(char* text, std::size_t size) = 0;
};

}  // namespace nuvella
