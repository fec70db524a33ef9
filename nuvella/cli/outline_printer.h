// The outline printer's sink: prints entries as they are entered, or finds the one asked for.
#pragma once

#include <cstddef>
#include <cstdio>
#include <optional>
#include <string>

#include "oem_converter.h"
#include "outline_sink.h"

namespace nuvella {

// Keeps nothing per entry, so a large issue prints in the time it takes to read. An item
// handle is the entry's depth + 1: the depth of its parent is all a child needs.
class OutlinePrinter final : public OutlineSink {
  public:
    // With `wanted`, nothing is printed and the start piece of entry `wanted` is kept.
    // With `toUtf8`, labels are converted from ANSI to UTF-8 as they are printed.
    OutlinePrinter(std::FILE* out, std::optional<std::size_t> wanted,
                   OemConverter* toUtf8 = nullptr);
    ~OutlinePrinter() override;
    OutlinePrinter(const OutlinePrinter&) = delete;
    OutlinePrinter& operator=(const OutlinePrinter&) = delete;

    void setRedraw(bool) override {}
    OutlineItem insert(OutlineItem parent, OutlineKind kind, std::string_view label,
                       const IssueLine* start) override;
    void markHasChildren(OutlineItem) override {}
    void repaint() override {}

    // Writes what is waiting; false when the output failed (now or earlier).
    bool flush();
    std::size_t entries() const { return entries_; }
    const IssueLine* wantedStart() const { return wantedStart_; }

  private:
    std::FILE* out_;
    std::optional<std::size_t> wanted_;
    OemConverter* toUtf8_;
    std::string utf8Label_;  // reused
    const IssueLine* wantedStart_ = nullptr;
    std::size_t entries_ = 0;
    std::string pending_;   // reused: filled up to about 1 MiB, then written
    std::size_t used_ = 0;  // the bytes of pending_ that wait to be written
    bool failed_ = false;
};

}  // namespace nuvella
