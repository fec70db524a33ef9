#include "outline_printer.h"

#include "outline_format.h"

namespace nuvella {
namespace {

constexpr std::size_t kFlushAt = std::size_t{1} << 20;

}  // namespace

OutlinePrinter::OutlinePrinter(std::FILE* out, std::optional<std::size_t> wanted,
                               OemConverter* toUtf8)
    : out_(out), wanted_(wanted), toUtf8_(toUtf8) {
    if (!wanted_) {
        pending_.resize(kFlushAt + outlineLineRoom(kMaxPieceLength));
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
        if (toUtf8_ != nullptr) {
            utf8Label_.clear();
            toUtf8_->ansiToUtf8(label, utf8Label_);
            label = utf8Label_;
        }
        const std::size_t room = outlineLineRoom(label.size());
        if (pending_.size() - used_ < room) {
            flush();
            if (pending_.size() < room) {
                pending_.resize(room);  // a file entry's long path
            }
        }
        used_ = static_cast<std::size_t>(
            writeOutlineLine(pending_.data() + used_, depth, kind, label) - pending_.data());
        if (used_ >= kFlushAt) {
            flush();
        }
    }
    ++entries_;
    return static_cast<OutlineItem>(depth + 1);
}

bool OutlinePrinter::flush() {
    if (used_ > 0) {
        failed_ |= std::fwrite(pending_.data(), 1, used_, out_) != used_;
        used_ = 0;
    }
    return !failed_;
}

}  // namespace nuvella
