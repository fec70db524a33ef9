#include "issue_parser.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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
    // The line ends at a NUL here as it does everywhere else.
    firstPiece = firstPiece.substr(0, firstPiece.find('\0'));
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

namespace {

// What findLineEnd() passed on its way (or met in the block it stopped in): both are rare
// in issues and handled line by line only where they occur.
struct SeenBytes {
    bool nul = false;
    bool upperHalf = false;  // a byte of 0x80 or above, which the code page may change
};

// The next line feed or Ctrl+Z at or after `p`, or `end`.
const char* findLineEnd(const char* p, const char* end, SeenBytes& seen) {
#if defined(__SSE2__)
    // Sixteen bytes per step: most lines are a few dozen characters long.
    const __m128i lineFeed = _mm_set1_epi8('\n');
    const __m128i ctrlZ = _mm_set1_epi8(0x1A);
    const __m128i nul = _mm_setzero_si128();
    while (end - p >= 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        seen.nul |= _mm_movemask_epi8(_mm_cmpeq_epi8(block, nul)) != 0;
        seen.upperHalf |= _mm_movemask_epi8(block) != 0;
        const int stops = _mm_movemask_epi8(
            _mm_or_si128(_mm_cmpeq_epi8(block, lineFeed), _mm_cmpeq_epi8(block, ctrlZ)));
        if (stops != 0) {
            return p + std::countr_zero(static_cast<unsigned>(stops));
        }
        p += 16;
    }
#endif
    for (; p < end; ++p) {
        if (*p == '\n' || *p == 0x1A) {
            return p;
        }
        seen.nul |= *p == '\0';
        seen.upperHalf |= static_cast<unsigned char>(*p) >= 0x80;
    }
    return end;
}

// The same pieces as takePiece() one after the other, with one search per line instead of
// one per piece; a Ctrl+Z met on the way ends the text, as text mode does. With a converter,
// the lines that hold bytes of the upper half are converted as they are passed.
void splitAndConvert(Issue& issue, std::size_t from, OemConverter* converter) {
    char* const text = issue.text.get();
    char* p = text + from;
    char* end = text + issue.textSize;
    issue.lines.clear();
    issue.lines.reserve(static_cast<std::size_t>(end - p) / 32 + 1);
    SeenBytes seen;
    auto nextStop = [&](char* at) {
        seen.upperHalf = false;
        char* stop = const_cast<char*>(findLineEnd(at, end, seen));
        if (stop < end && *stop == 0x1A) {
            end = stop;
        }
        if (converter != nullptr && seen.upperHalf) {
            converter->toAnsi(at, static_cast<std::size_t>(stop - at));
        }
        return stop;
    };
    char* stop = nextStop(p);
    while (p < end) {
        const auto distance = static_cast<std::size_t>(stop - p);
        std::size_t length;
        std::size_t raw;
        if (stop < end && distance <= kMaxPieceLength) {
            if (distance > 0 && p[distance - 1] == '\r') {
                p[distance - 1] = '\n';
                length = distance;
                raw = distance + 1;
            } else if (distance < kMaxPieceLength) {
                length = raw = distance + 1;
            } else {
                length = raw = kMaxPieceLength;  // 99 characters, then the line feed alone
            }
        } else {
            length = raw =
                std::min<std::size_t>(kMaxPieceLength, static_cast<std::size_t>(end - p));
        }
        const auto n = static_cast<std::uint32_t>(length);
        issue.lines.push_back(IssueLine{p, n, n});
        p += raw;
        if (p > stop && p < end) {
            stop = nextStop(p);
        }
    }
    issue.textSize = static_cast<std::size_t>(end - text);
    issue.lines.push_back(IssueLine{end, 0, 0});
    // A NUL ends the visible text of its piece, as it would end a C string.
    if (seen.nul) {
        for (IssueLine& line : issue.lines) {
            if (const void* nul = std::memchr(line.data, '\0', line.size)) {
                line.length = static_cast<std::uint32_t>(static_cast<const char*>(nul) - line.data);
            }
        }
    }
}

}  // namespace

void splitIntoPieces(Issue& issue, std::size_t from) {
    splitAndConvert(issue, from, nullptr);
}

void parseIssueText(Issue& issue, std::size_t markerLength, OemConverter& converter) {
    // The conversion is byte for byte and leaves line feeds, carriage returns and NULs as
    // they are, so it can run line by line during the split, and only up to any Ctrl+Z.
    splitAndConvert(issue, markerLength, &converter);
}

namespace {

constexpr std::string_view kSeparatorMark = "=-=-";
constexpr std::string_view kQuotedTitlePrefix = " :: \"";

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
        if (first == '=' || line->length != line->size) {
            kind = classifyLine(text);
        } else {
            // Only "contains =-=-" and the quoted title can hold: answer the first from the
            // running search. A mark that straddles two pieces belongs to neither.
            if (markSearchedFrom == nullptr || (mark != nullptr && mark < line->data)) {
                mark = findSeparatorMark(line->data, textEnd);
                markSearchedFrom = line->data;
            }
            if (mark != nullptr && mark + kSeparatorMark.size() <= line->data + line->size) {
                kind = LineKind::SectionSeparator;
            } else {
                kind =
                    text.starts_with(kQuotedTitlePrefix) ? LineKind::QuotedTitle : LineKind::Body;
            }
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
