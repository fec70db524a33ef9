// One loaded issue: its converted text and the chain of pieces that point into it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "issue_line.h"
#include "large_block.h"

namespace nuvella {

// Outline entries keep pointers into `lines` and `label`, so an Issue is never moved or
// freed while its entries are shown (the library keeps it for the life of the program).
struct Issue {
    std::string label;  // the file name exactly as it was passed to the loader
    // The file up to any Ctrl+Z, converted to ANSI; pieces point into it (a closing CR LF
    // pair is read as the line feed written over its CR).
    TextBlock text;
    std::size_t textSize = 0;
    std::vector<IssueLine, LargeBlockAllocator<IssueLine>> lines;  // line 2 on, then the empty one

    // The pieces that may open an outline entry, in order: those whose line holds an '=' or
    // that begin with a space. Every other piece is body text, so the outline never reads it.
    std::vector<std::uint32_t, LargeBlockAllocator<std::uint32_t>> outlineCandidates;

    const IssueLine* head() const { return lines.data(); }
};

}  // namespace nuvella
