// How the outline printer writes one entry: depth, kind and the label with C escapes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "recording_outline_sink.h"

namespace nuvella {

// Control characters and the backslash are written as C escapes, so that an entry is one line.
std::string escapeLabel(std::string_view label);
void appendEscapedLabel(std::string& out, std::string_view label);

// The most bytes one entry's line takes: the depth, the kind, every label byte escaped in
// four, the line feed.
constexpr std::size_t outlineLineRoom(std::size_t labelSize) {
    return 32 + 4 * labelSize;
}

// "DEPTH KIND LABEL" and a line feed, written at `out`, which has outlineLineRoom() bytes of
// room; returns the end of what was written.
char* writeOutlineLine(char* out, int depth, OutlineKind kind, std::string_view label);

// "DEPTH KIND LABEL" and a line feed, appended to `out`.
void appendOutlineLine(std::string& out, int depth, OutlineKind kind, std::string_view label);

// "DEPTH KIND LABEL", for example "1 section  News ".
std::string formatOutlineEntry(const RecordedEntry& entry);

}  // namespace nuvella
