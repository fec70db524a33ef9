// Conversions between the pane's character height in twips and a LOGFONT height.
#pragma once

namespace nuvella {

// A twentieth of a point per twip; a negative LOGFONT height asks for the character height.
inline int logFontHeightFromTwips(int twips) {
    return twips / -20;
}
inline int twipsFromLogFontHeight(int height) {
    return -20 * height;
}
inline int baseFontSizeFromLogFontHeight(int height) {
    return height < 0 ? -height : height;
}

inline constexpr int kStartFontTwips = 180;  // 9 points

}  // namespace nuvella
