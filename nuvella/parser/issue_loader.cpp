#include "issue_loader.h"

#include <algorithm>
#include <new>

#include "issue_file.h"
#include "issue_parser.h"

namespace nuvella {
namespace {

// Tree redrawing is off while one issue is entered and comes back on however that ends, an
// allocation failing inside the tree included: otherwise the tree would stay frozen.
class RedrawPause {
  public:
    explicit RedrawPause(OutlineSink& sink) : sink_(sink) { sink_.setRedraw(false); }
    ~RedrawPause() { sink_.setRedraw(true); }
    RedrawPause(const RedrawPause&) = delete;
    RedrawPause& operator=(const RedrawPause&) = delete;

  private:
    OutlineSink& sink_;
};

// The marker piece as the head of the file holds it (a copy: text mode rewrites a CR).
bool headHasMarker(const char* head, std::size_t visible) {
    char copy[kMaxPieceLength + 1];
    const std::size_t n = std::min(visible, sizeof copy);
    std::copy_n(head, n, copy);
    const RawPiece marker = takePiece(copy, n);
    return hasIssueMarker({copy, marker.length});
}

}  // namespace

LoadResult loadIssueFile(const std::string& path, LoadContext& context, bool interactive) {
    try {
        auto file = context.files.open(path);
        if (!file) {
            return LoadResult::CannotRead;
        }
        char head[kIssueHeadSize];
        const auto headSize = readIssueHead(*file, head);
        if (!headSize || *headSize == 0) {
            return LoadResult::CannotRead;
        }
        const std::size_t visible = endAtCtrlZ(head, *headSize);
        if (visible == 0) {
            return LoadResult::Empty;
        }
        // Decided on the first line alone, before the rest of the file is read.
        if (!headHasMarker(head, visible)) {
            if (!interactive) {
                return LoadResult::NoMarker;
            }
            if (!context.question.continueWithoutMarker()) {
                return LoadResult::Declined;
            }
        }
        auto whole = readIssueRest(*file, head, *headSize);
        file.reset();  // nothing of a file stays open after its load
        if (!whole) {
            return LoadResult::CannotRead;
        }
        auto issue = std::make_unique<Issue>();
        issue->label = path;
        issue->text = std::move(whole->bytes);
        // A Ctrl+Z in the head ends the text there; one further on is met while splitting.
        issue->textSize = visible < *headSize ? visible : whole->size;
        const RawPiece marker = takePiece(issue->text.get(), issue->textSize);
        parseIssueText(*issue, marker.raw, context.converter);
        const Issue& kept = context.library.add(std::move(issue));
        RedrawPause pause(context.sink);
        enterOutline(kept, context.sink);
        return LoadResult::Loaded;
    } catch (const std::bad_alloc&) {
        return LoadResult::OutOfMemory;
    }
}

}  // namespace nuvella
