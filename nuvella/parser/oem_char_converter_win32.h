// OEM or UTF-8 to ANSI through the platform (OemToCharBuffA, MultiByteToWideChar and
// WideCharToMultiByte), with the system's own code pages.
#pragma once

#include "oem_converter.h"

namespace nuvella {

class OemCharConverter final : public OemConverter {
  public:
    void toAnsi(char* text, std::size_t size) override;
    std::size_t utf8ToAnsi(char* text, std::size_t size) override;
    void ansiToUtf8(std::string_view text, std::string& out) override;
};

}  // namespace nuvella
