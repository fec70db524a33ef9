#include "outline_printer.h"

#include "outline_format.h"

namespace nuvella {
namespace {

constexpr std::size_t kFlushAt = std::size_t{1} << 20;

}  // namespace

OutlinePrinter::OutlinePrinter(std::FILE* out, std::optional<std::size_t> wanted)
    : out_(out), wanted_(wanted) {
    if (!wanted_) {
        pending_.reserve(kFlushAt + 1024);
    }
}

OutlinePrinter::~OutlinePrinter() {
    flush();
}

OutlineItem OutlinePrinter::insert(OutlineItem parent, OutlineKind kind, std::string_view label,
                                   const IssueLine* start) {
    const auto depth = static_cast<int>(parent);  // the root is 0, an entry its depth + 1
    if (wanted_) {
        if (entries_ == *wanted_) {
            wantedStart_ = start;
        }
    } else {
        appendOutlineLine(pending_, depth, kind, label);
        if (pending_.size() >= kFlushAt) {
            flush();
        }
    }
    ++entries_;
    return static_cast<OutlineItem>(depth + 1);
}

bool OutlinePrinter::flush() {
    if (!pending_.empty()) {
        failed_ |= std::fwrite(pending_.data(), 1, pending_.size(), out_) != pending_.size();
        pending_.clear();
    }
    return !failed_;
}

}  // namespace nuvella
