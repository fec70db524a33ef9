// The pictures of the icon buttons and the song list's state images, drawn at start.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <cstddef>

#include "command_table.h"

namespace orvane {

inline constexpr int kGlyphSize = 16;

// One 16 x 16 picture per button, in the buttons' order.
HIMAGELIST CreateButtonImages(const TButtonCommand* buttons, std::size_t count);
// The used mark (image 0) and the now-playing mark (image 1).
HIMAGELIST CreateStateImages();

}  // namespace orvane
