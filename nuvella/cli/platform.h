// What the outline printer needs from the system it runs on.
#pragma once

#include <memory>

#include "oem_converter.h"

namespace nuvella {

// The RTF document must leave byte for byte, so no line-end translation on standard output.
void setBinaryStandardOutput();
bool standardErrorIsTerminal();
// The OEM-to-ANSI conversion the reader itself would apply on this system.
std::unique_ptr<OemConverter> systemOemConverter();

}  // namespace nuvella
