#include "issue_parser.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "line_classifier.h"

namespace nuvella {

RawPiece takePiece(char* text, std::size_t size) {
    // 99 characters, the last one a line feed from a CR LF pair, take 100 bytes.
    const std::size_t window = std::min<std::size_t>(size, kMaxPieceLength + 1);
    if (const void* found = std::memchr(text, '\n', window)) {
        const auto lf = static_cast<std::size_t>(static_cast<const char*>(found) - text);
        if (lf > 0 && text[lf - 1] == '\r') {
            text[lf - 1] = '\n';
            return {lf + 1, lf};
        }
        if (lf < kMaxPieceLength) {
            return {lf + 1, lf + 1};
        }
    }
    const std::size_t n = std::min<std::size_t>(size, kMaxPieceLength);
    return {n, n};
}

bool hasIssueMarker(std::string_view firstPiece) {
    constexpr std::string_view kMarker = "START.OF";
    // Only a-z are folded; other bytes (code page letters included) stand as they are.
    auto upper = [](char c) {
        return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    };
    if (firstPiece.size() < kMarker.size()) {
        return false;
    }
    for (std::size_t at = 0; at + kMarker.size() <= firstPiece.size(); ++at) {
        std::size_t i = 0;
        while (i < kMarker.size() && upper(firstPiece[at + i]) == kMarker[i]) {
            ++i;
        }
        if (i == kMarker.size()) {
            return true;
        }
    }
    return false;
}

void splitIntoPieces(Issue& issue, std::size_t from) {
    char* p = issue.text.get() + from;
    char* const end = issue.text.get() + issue.textSize;
    issue.lines.clear();
    issue.lines.reserve(static_cast<std::size_t>(end - p) / 32 + 1);
    while (p < end) {
        const RawPiece piece = takePiece(p, static_cast<std::size_t>(end - p));
        const auto n = static_cast<std::uint32_t>(piece.length);
        issue.lines.push_back(IssueLine{p, n, n});
        p += piece.raw;
    }
    issue.lines.push_back(IssueLine{end, 0, 0});
    // A NUL ends the visible text of its piece, as it would end a C string.
    if (from < issue.textSize &&
        std::memchr(issue.text.get() + from, '\0', issue.textSize - from)) {
        for (IssueLine& line : issue.lines) {
            if (const void* nul = std::memchr(line.data, '\0', line.size)) {
                line.length = static_cast<std::uint32_t>(static_cast<const char*>(nul) - line.data);
            }
        }
    }
}

void parseIssueText(Issue& issue, std::size_t markerLength, OemConverter& converter) {
    converter.toAnsi(issue.text.get() + markerLength, issue.textSize - markerLength);
    splitIntoPieces(issue, markerLength);
}

namespace {

constexpr std::string_view kSeparatorMark = "=-=-";

// The next "=-=-" at or after `from`, or null. Section marks are rare in body text, so the
// search runs over the whole text once instead of over every piece.
const char* findSeparatorMark(const char* from, const char* end) {
    while (from < end) {
        const auto* equals =
            static_cast<const char*>(std::memchr(from, '=', static_cast<std::size_t>(end - from)));
        if (equals == nullptr || end - equals < 4) {
            return nullptr;
        }
        if (std::memcmp(equals, kSeparatorMark.data(), kSeparatorMark.size()) == 0) {
            return equals;
        }
        from = equals + 1;
    }
    return nullptr;
}

}  // namespace

void enterOutline(const Issue& issue, OutlineSink& sink) {
    const OutlineItem file =
        sink.insert(kOutlineRoot, OutlineKind::File, issue.label, issue.head());
    OutlineItem section = file;
    const char* const textEnd = issue.text.get() + issue.textSize;
    const char* mark = nullptr;  // the next "=-=-" in the text, looked up lazily
    const char* markSearchedFrom = nullptr;
    for (const IssueLine* line = issue.head(); !line->isEnd(); ++line) {
        const std::string_view text = line->text();
        LineKind kind;
        const char first = text.empty() ? '\0' : text[0];
        if (first == '=' || first == ' ' || line->length != line->size) {
            kind = classifyLine(text);
        } else {
            // Only "contains =-=-" can hold: answer it from the running search. A mark that
            // straddles two pieces belongs to neither.
            if (markSearchedFrom == nullptr || (mark != nullptr && mark < line->data)) {
                mark = findSeparatorMark(line->data, textEnd);
                markSearchedFrom = line->data;
            }
            kind = (mark != nullptr && mark + kSeparatorMark.size() <= line->data + line->size)
                       ? LineKind::SectionSeparator
                       : LineKind::Body;
        }
        switch (kind) {
            case LineKind::SectionSeparator:
                section = sink.insert(file, OutlineKind::Section, sectionLabel(text), line->next());
                break;
            case LineKind::BracketedTitle:
                sink.insert(section, OutlineKind::Article, bracketedTitleLabel(text), line);
                sink.markHasChildren(section);
                break;
            case LineKind::QuotedTitle:
                sink.insert(section, OutlineKind::Article, quotedTitleLabel(text), line);
                sink.markHasChildren(section);
                break;
            case LineKind::RuleLine:
            case LineKind::Body:
                break;
        }
    }
}

}  // namespace nuvella
