#include "oem_char_converter_win32.h"

#include <windows.h>

#include <algorithm>
#include <vector>

namespace nuvella {
namespace {

// The calls take 32-bit lengths: UTF-8 goes in slices of this size at most, each ending
// before the lead byte of a sequence so that no character is cut.
constexpr std::size_t kUtf8Slice = std::size_t{1} << 20;

std::size_t sliceEnd(const char* text, std::size_t size) {
    if (size <= kUtf8Slice) {
        return size;
    }
    std::size_t end = kUtf8Slice;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) {
        --end;
    }
    return end;
}

}  // namespace

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

std::size_t OemCharConverter::utf8ToAnsi(char* text, std::size_t size) {
    std::vector<wchar_t> wide;
    std::vector<char> ansi;
    std::size_t written = 0;
    for (std::size_t done = 0; done < size;) {
        const std::size_t n = sliceEnd(text + done, size - done);
        const int count = static_cast<int>(n);
        wide.resize(n);
        const int units = MultiByteToWideChar(CP_UTF8, 0, text + done, count, wide.data(), count);
        ansi.resize(n);
        // No best fit: a letter the code page lacks is '?', not a look-alike of another word.
        int bytes = units > 0 ? WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(),
                                                    units, ansi.data(), count, "?", nullptr)
                              : 0;
        if (units > 0 && bytes == 0) {
            // A system whose ANSI code page is UTF-8 takes neither the flag nor the '?'.
            bytes = WideCharToMultiByte(CP_ACP, 0, wide.data(), units, ansi.data(), count, nullptr,
                                        nullptr);
        }
        // Never longer than its UTF-8, so the result lands on bytes already read.
        std::copy_n(ansi.data(), bytes, text + written);
        written += static_cast<std::size_t>(bytes);
        done += n;
    }
    return written;
}

void OemCharConverter::ansiToUtf8(std::string_view text, std::string& out) {
    if (text.empty()) {
        return;
    }
    const int count = static_cast<int>(text.size());
    std::vector<wchar_t> wide(text.size());
    const int units = MultiByteToWideChar(CP_ACP, 0, text.data(), count, wide.data(), count);
    if (units <= 0) {
        return;
    }
    const std::size_t at = out.size();
    out.resize(at + 3 * static_cast<std::size_t>(units));
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, wide.data(), units, out.data() + at,
                                          3 * units, nullptr, nullptr);
    out.resize(at + static_cast<std::size_t>(std::max(bytes, 0)));
}

}  // namespace nuvella
