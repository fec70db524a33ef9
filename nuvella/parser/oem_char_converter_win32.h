// OEM to ANSI through the platform (OemToCharBuffA), with the system's own code pages.
#pragma once

#include "oem_converter.h"

namespace nuvella {

class OemCharConverter final : public OemConverter {
  public:
    void toAnsi(char* text, std::size_t size) override;
};

}  // namespace nuvella
