#include "issue_loader.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <optional>

#include "issue_file.h"
#include "issue_parser.h"
#include "utf8_text.h"

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

// The head's verdict: nothing when the file is wanted (its visible size in `visible`).
std::optional<LoadResult> judgeHead(const char* head, std::optional<std::size_t> headSize,
                                    LoadContext& context, bool interactive, std::size_t& visible) {
    if (!headSize || *headSize == 0) {
        return LoadResult::CannotRead;
    }
    visible = endAtCtrlZ(head, *headSize);
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
    return std::nullopt;
}

// Where the marker piece ends in the bytes as they lie, without text mode's rewriting of a CR.
std::size_t markerPieceEnd(const char* text, std::size_t size) {
    char copy[kMaxPieceLength + 1];
    const std::size_t n = std::min(size, sizeof copy);
    std::copy_n(text, n, copy);
    return takePiece(copy, n).raw;
}

// A UTF-8 issue's text from `start` up to `visible` (where a Ctrl+Z ends it) converted to ANSI
// in place, its byte-order mark skipped: the marker piece is then taken from the converted text,
// so the line rules count characters, not bytes. Returns where the pieces after it begin and
// sets `textSize` to the end of the converted text.
std::size_t convertUtf8Text(char* text, std::size_t visible, bool first, OemConverter& converter,
                            std::size_t& textSize) {
    const std::size_t start = first ? utf8BomSize(text, visible) : 0;
    textSize = start + converter.utf8ToAnsi(text + start, visible - start);
    return first ? start + takePiece(text + start, textSize - start).raw : 0;
}

// Whether a streamed issue reads as UTF-8, decided before any of it is entered: on the bytes in
// the buffer when they are the whole text, otherwise on a second read of the whole file.
bool streamReadsAsUtf8(const std::string& path, LoadContext& context, const char* buffered,
                       std::size_t filled, bool atEnd) {
    Utf8Check check;
    const std::size_t visible = endAtCtrlZ(buffered, filled);
    check.feed(buffered, visible);
    if (check.failed() || visible < filled || atEnd) {
        return check.readsAsUtf8();
    }
    const auto again = context.files.open(path);
    if (!again) {
        return false;
    }
    Utf8Check whole;
    char block[1 << 16];
    for (;;) {
        const auto got = again->read(block, sizeof block);
        if (!got) {
            return false;
        }
        const std::size_t upTo = endAtCtrlZ(block, *got);
        whole.feed(block, upTo);
        if (*got == 0 || upTo < *got || whole.failed()) {
            return whole.readsAsUtf8();
        }
    }
}

// Fills the buffer from the file up to its capacity or the end; false on a read error.
bool fill(ReadableFile& file, TextBlock& buffer, std::size_t& filled, bool& atEnd) {
    while (!atEnd && filled < buffer.capacity()) {
        const auto got = file.read(buffer.get() + filled, buffer.capacity() - filled);
        if (!got) {
            return false;
        }
        atEnd = *got == 0;
        filled += *got;
    }
    return true;
}

// Where the part to split ends: after the last line feed, or at the end of the text once it
// is all in. Nothing when the buffer holds part of one line only (it must grow).
std::optional<std::size_t> partEnd(const char* text, std::size_t from, std::size_t filled,
                                   bool atEnd) {
    if (atEnd) {
        return filled;
    }
    for (std::size_t i = filled; i > from; --i) {
        if (text[i - 1] == '\n') {
            return i;
        }
    }
    return std::nullopt;
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
        std::size_t visible = 0;
        if (const auto verdict = judgeHead(head, headSize, context, interactive, visible)) {
            return *verdict;
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
        char* text = issue->text.get();
        const std::size_t textEnd = endAtCtrlZ(text, issue->textSize);
        if (readsAsUtf8(text, textEnd)) {
            const std::size_t from =
                convertUtf8Text(text, textEnd, true, context.converter, issue->textSize);
            splitIntoPieces(*issue, from);
        } else {
            const RawPiece marker = takePiece(text, issue->textSize);
            parseIssueText(*issue, marker.raw, context.converter);
        }
        const Issue& kept = context.library.add(std::move(issue));
        RedrawPause pause(context.sink);
        enterOutline(kept, context.sink);
        return LoadResult::Loaded;
    } catch (const std::bad_alloc&) {
        return LoadResult::OutOfMemory;
    }
}

LoadResult streamIssueFile(const std::string& path, LoadContext& context, std::size_t partBytes) {
    try {
        auto file = context.files.open(path);
        if (!file) {
            return LoadResult::CannotRead;
        }
        Issue part;
        part.label = path;
        part.text = TextBlock(std::max(partBytes, kIssueHeadSize));
        const auto headSize = readIssueHead(*file, part.text.get());
        std::size_t visible = 0;
        if (const auto verdict = judgeHead(part.text.get(), headSize, context, false, visible)) {
            return *verdict;
        }
        // A Ctrl+Z in the head ends the text there.
        std::size_t filled = visible;
        bool atEnd = visible < *headSize || *headSize < kIssueHeadSize;
        // The first part holds at least the whole first line: its lines after the marker piece
        // are what the search for a part's end starts from.
        std::size_t from = markerPieceEnd(part.text.get(), filled);
        RedrawPause pause(context.sink);
        std::optional<OutlineEntries> outline;
        std::optional<bool> utf8;
        for (;;) {
            if (!fill(*file, part.text, filled, atEnd)) {
                return LoadResult::CannotRead;
            }
            if (!utf8) {
                utf8 = streamReadsAsUtf8(path, context, part.text.get(), filled, atEnd);
            }
            const auto end = partEnd(part.text.get(), from, filled, atEnd);
            if (!end) {
                // One line fills the buffer: it grows, as the whole file's block would.
                TextBlock grown(part.text.capacity() * 2);
                std::memcpy(grown.get(), part.text.get(), filled);
                part.text = std::move(grown);
                continue;
            }
            bool endedAtCtrlZ = false;
            if (*utf8) {
                const std::size_t partVisible = endAtCtrlZ(part.text.get(), *end);
                endedAtCtrlZ = partVisible < *end;
                from = convertUtf8Text(part.text.get(), partVisible, !outline, context.converter,
                                       part.textSize);
                splitIntoPieces(part, from);
            } else {
                if (!outline) {
                    from = takePiece(part.text.get(), *end).raw;
                }
                part.textSize = *end;
                parseIssueText(part, from, context.converter);
                // A Ctrl+Z met while splitting ends the text.
                endedAtCtrlZ = part.textSize < *end;
            }
            if (!outline) {
                outline.emplace(part, context.sink);
            }
            outline->enter(part);
            if (atEnd || endedAtCtrlZ) {
                return LoadResult::Loaded;
            }
            std::memmove(part.text.get(), part.text.get() + *end, filled - *end);
            filled -= *end;
            from = 0;
        }
    } catch (const std::bad_alloc&) {
        return LoadResult::OutOfMemory;
    }
}

}  // namespace nuvella
