// Where the loader enters the outline of an issue: the reader's tree view, or a recorder in tests.
#pragma once

#include <cstdint>
#include <string_view>

#include "issue_line.h"

namespace nuvella {

enum class OutlineKind { File, Section, Article };

// An entry as the sink knows it; 0 stands for the root of the outline.
using OutlineItem = std::uintptr_t;
inline constexpr OutlineItem kOutlineRoot = 0;

class OutlineSink {
  public:
    virtual ~OutlineSink() = default;
    // Redrawing is off while one issue is entered, so a large issue does not flicker.
    virtual void setRedraw(bool on) = 0;
    // Appends an entry as the last child of `parent`; `start` is the piece its text begins at.
    // Throws std::bad_alloc when there is no memory left for the entry.
    virtual OutlineItem insert(OutlineItem parent, OutlineKind kind, std::string_view label,
                               const IssueLine* start) = 0;
    // Marks an entry as having children, so it shows an expand button.
    virtual void markHasChildren(OutlineItem item) = 0;
    // Repaints at once: the directory scan shows issues one by one.
    virtual void repaint() = 0;
};

}  // namespace nuvella
