// Enters outline entries into a tree-view control.
#pragma once

#include <windows.h>

#include "outline_sink.h"

namespace nuvella {

// Items carry their start piece as item data and ask the window for their pictures.
class TreeOutlineSink final : public OutlineSink {
  public:
    explicit TreeOutlineSink(HWND tree) : tree_(tree) {}
    void setRedraw(bool on) override;
    OutlineItem insert(OutlineItem parent, OutlineKind kind, std::string_view label,
                       const IssueLine* start) override;
    void markHasChildren(OutlineItem item) override;
    void repaint() override;

  private:
    HWND tree_;
};

}  // namespace nuvella
