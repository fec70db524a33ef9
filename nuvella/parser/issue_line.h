// One stored piece of an issue: at most 99 characters, the line feed included when the line fitted.
#pragma once

#include <cstdint>
#include <string_view>

namespace nuvella {

// The pieces of one issue lie next to each other in one array owned by the issue, so the
// chain is walked by stepping to the following element; it always ends with one empty piece
// (the read that met the end of the file). Pieces stay valid as long as their issue lives.
struct IssueLine {
    const char* data = nullptr;
    std::uint32_t size = 0;    // bytes of the piece; 0 only for the closing piece
    std::uint32_t length = 0;  // bytes up to the first NUL: what classification and rendering see

    std::string_view text() const { return {data, length}; }
    bool isEnd() const { return size == 0; }
    const IssueLine* next() const { return isEnd() ? nullptr : this + 1; }
};

// The longest piece: longer lines are split so that classification and rendering see
// the same pieces every time.
inline constexpr std::uint32_t kMaxPieceLength = 99;

}  // namespace nuvella
