#include "oem_char_converter_win32.h"

#include <windows.h>

#include <algorithm>

namespace nuvella {

void OemCharConverter::toAnsi(char* text, std::size_t size) {
    // The buffer form converts NULs too, and takes a 32-bit length: go in slices.
    constexpr std::size_t kSlice = 1u << 30;
    while (size > 0) {
        const std::size_t n = std::min(size, kSlice);
        OemToCharBuffA(text, text, static_cast<DWORD>(n));
        text += n;
        size -= n;
    }
}

}  // namespace nuvella
