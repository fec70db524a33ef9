#include "issue_loader.h"

#include <new>

#include "issue_file.h"
#include "issue_parser.h"

namespace nuvella {

LoadResult loadIssueFile(const std::string& path, LoadContext& context, bool interactive) {
    try {
        auto file = readIssueFile(path);
        if (!file) {
            return LoadResult::CannotRead;
        }
        const std::size_t size = endAtCtrlZ(file->bytes.get(), file->size);
        if (size == 0) {
            return LoadResult::Empty;
        }
        // The marker piece is read like any other, then dropped: line 2 starts after it.
        const RawPiece marker = takePiece(file->bytes.get(), size);
        if (!hasIssueMarker({file->bytes.get(), marker.length})) {
            if (!interactive) {
                return LoadResult::NoMarker;
            }
            if (!context.question.continueWithoutMarker()) {
                return LoadResult::Declined;
            }
        }
        auto issue = std::make_unique<Issue>();
        issue->label = path;
        issue->text = std::move(file->bytes);
        issue->textSize = size;
        parseIssueText(*issue, marker.raw, context.converter);
        const Issue& kept = context.library.add(std::move(issue));
        context.sink.setRedraw(false);
        enterOutline(kept, context.sink);
        context.sink.setRedraw(true);
        return LoadResult::Loaded;
    } catch (const std::bad_alloc&) {
        return LoadResult::OutOfMemory;
    }
}

}  // namespace nuvella
