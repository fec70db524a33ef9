// An outline sink that keeps what it was given, in order: for tests and the outline printer.
#pragma once

#include <string>
#include <vector>

#include "outline_sink.h"

namespace nuvella {

struct RecordedEntry {
    OutlineItem parent = kOutlineRoot;
    OutlineKind kind = OutlineKind::File;
    std::string label;
    const IssueLine* start = nullptr;
    int depth = 0;             // 0 for a file, 1 or 2 below it
    bool hasChildren = false;  // the children flag as it stands now
};

class RecordingOutlineSink final : public OutlineSink {
  public:
    void setRedraw(bool on) override;
    OutlineItem insert(OutlineItem parent, OutlineKind kind, std::string_view label,
                       const IssueLine* start) override;
    void markHasChildren(OutlineItem item) override;
    void repaint() override { ++repaints; }

    // Entries in insertion order, which is also the order of the tree from top to bottom.
    std::vector<RecordedEntry> entries;
    std::vector<bool> redrawCalls;
    int repaints = 0;

    // Item handles are the entry index + 1, so that 0 stays the root.
    const RecordedEntry& entry(OutlineItem item) const { return entries.at(item - 1); }
};

}  // namespace nuvella
