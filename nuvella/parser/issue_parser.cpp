#include "issue_parser.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__GNUC__) && defined(__x86_64__)
#include <immintrin.h>
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

// What findLineEnd() passed on its way (or met in the block it stopped in, which may reach
// into the next line: the flags may say yes too often, never too rarely).
struct SeenBytes {
    bool nul = false;
    bool upperHalf = false;  // a byte of 0x80 or above, which the code page may change
    bool equals = false;     // an '=': the line may be a separator or a bracketed title
};

struct LineEnd {
    const char* at;  // the line feed or Ctrl+Z, or the end of the text
    SeenBytes seen;
};

LineEnd findLineEndBytewise(const char* p, const char* end, SeenBytes seen) {
    for (; p < end; ++p) {
        if (*p == '\n' || *p == 0x1A) {
            return {p, seen};
        }
        seen.nul |= *p == '\0';
        seen.upperHalf |= static_cast<unsigned char>(*p) >= 0x80;
        seen.equals |= *p == '=';
    }
    return {end, seen};
}

#if defined(__SSE2__)
// Sixteen bytes per step: most lines are a few dozen characters long. The flags are gathered
// in registers and read once per line.
LineEnd findLineEndSse2(const char* p, const char* end) {
    const __m128i lineFeed = _mm_set1_epi8('\n');
    const __m128i ctrlZ = _mm_set1_epi8(0x1A);
    const __m128i equalsSign = _mm_set1_epi8('=');
    const __m128i zero = _mm_setzero_si128();
    __m128i upper = zero;
    __m128i nuls = zero;
    __m128i equals = zero;
    auto gathered = [&] {
        return SeenBytes{_mm_movemask_epi8(nuls) != 0, _mm_movemask_epi8(upper) != 0,
                         _mm_movemask_epi8(equals) != 0};
    };
    for (; end - p >= 16; p += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        upper = _mm_or_si128(upper, block);
        nuls = _mm_or_si128(nuls, _mm_cmpeq_epi8(block, zero));
        equals = _mm_or_si128(equals, _mm_cmpeq_epi8(block, equalsSign));
        const int stops = _mm_movemask_epi8(
            _mm_or_si128(_mm_cmpeq_epi8(block, lineFeed), _mm_cmpeq_epi8(block, ctrlZ)));
        if (stops != 0) {
            return {p + std::countr_zero(static_cast<unsigned>(stops)), gathered()};
        }
    }
    return findLineEndBytewise(p, end, gathered());
}
#endif

#if defined(__GNUC__) && defined(__x86_64__)
#define NUVELLA_HAS_AVX2_SCAN 1
// The same with 32 bytes per step, for processors that have AVX2 (chosen at run time).
__attribute__((target("avx2"))) LineEnd findLineEndAvx2(const char* p, const char* end) {
    const __m256i lineFeed = _mm256_set1_epi8('\n');
    const __m256i ctrlZ = _mm256_set1_epi8(0x1A);
    const __m256i equalsSign = _mm256_set1_epi8('=');
    const __m256i zero = _mm256_setzero_si256();
    __m256i upper = zero;
    __m256i nuls = zero;
    __m256i equals = zero;
    auto gathered = [&]() __attribute__((target("avx2"))) {
        return SeenBytes{_mm256_movemask_epi8(nuls) != 0, _mm256_movemask_epi8(upper) != 0,
                         _mm256_movemask_epi8(equals) != 0};
    };
    for (; end - p >= 32; p += 32) {
        const __m256i block = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
        upper = _mm256_or_si256(upper, block);
        nuls = _mm256_or_si256(nuls, _mm256_cmpeq_epi8(block, zero));
        equals = _mm256_or_si256(equals, _mm256_cmpeq_epi8(block, equalsSign));
        const int stops = _mm256_movemask_epi8(
            _mm256_or_si256(_mm256_cmpeq_epi8(block, lineFeed), _mm256_cmpeq_epi8(block, ctrlZ)));
        if (stops != 0) {
            return {p + std::countr_zero(static_cast<unsigned>(stops)), gathered()};
        }
    }
    return findLineEndBytewise(p, end, gathered());
}
#endif

// The next line feed or Ctrl+Z at or after `p`, or `end`, with what came before it.
LineEnd findLineEnd(const char* p, const char* end) {
#if defined(NUVELLA_HAS_AVX2_SCAN)
    static const bool avx2 = __builtin_cpu_supports("avx2");
    if (avx2) {
        return findLineEndAvx2(p, end);
    }
#endif
#if defined(__SSE2__)
    return findLineEndSse2(p, end);
#else
    return findLineEndBytewise(p, end, SeenBytes{});
#endif
}

// The code page conversion as a table of all 256 bytes, asked of the converter once.
struct CodePageTable {
    explicit CodePageTable(OemConverter& converter) {
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            bytes[i] = static_cast<char>(i);
        }
        converter.toAnsi(bytes.data(), bytes.size());
        for (std::size_t i = 0; i < 0x80; ++i) {
            keepsAscii = keepsAscii && bytes[i] == static_cast<char>(i);
        }
    }
    std::array<char, 256> bytes{};
    bool keepsAscii = true;
};

// Converts one line in place; returns whether it now holds an '=' that was not there before
// (the code page turns some signs into '=': cp437's identical-to, for one).
bool convertLine(char* text, std::size_t size, const CodePageTable& table) {
    bool madeEquals = false;
    auto convert = [&](char& c) {
        const char converted = table.bytes[static_cast<unsigned char>(c)];
        madeEquals |= converted == '=' && c != '=';
        c = converted;
    };
    std::size_t i = 0;
    if (table.keepsAscii) {
        constexpr std::uint64_t kHighBits = 0x8080808080808080ull;
        for (; i + 8 <= size; i += 8) {
            std::uint64_t word;
            std::memcpy(&word, text + i, 8);
            for (std::uint64_t high = word & kHighBits; high != 0; high &= high - 1) {
                convert(text[i + static_cast<std::size_t>(std::countr_zero(high) / 8)]);
            }
        }
    }
    for (; i < size; ++i) {
        if (!table.keepsAscii || static_cast<unsigned char>(text[i]) >= 0x80) {
            convert(text[i]);
        }
    }
    return madeEquals;
}

// The same pieces as takePiece() one after the other, with one search per line instead of
// one per piece; a Ctrl+Z met on the way ends the text, as text mode does. With a code page
// table, the lines that hold bytes of the upper half are converted as they are passed.
void splitAndConvert(Issue& issue, std::size_t from, const CodePageTable* table) {
    char* const text = issue.text.get();
    char* p = text + from;
    char* end = text + issue.textSize;
    issue.lines.clear();
    issue.lines.reserve(static_cast<std::size_t>(end - p) / 32 + 1);
    issue.outlineCandidates.clear();
    issue.outlineCandidates.reserve(issue.lines.capacity() / 16);
    bool sawNul = false;
    SeenBytes line;  // of the line being split
    auto nextStop = [&](char* at) {
        const LineEnd found = findLineEnd(at, end);
        line = found.seen;
        char* stop = const_cast<char*>(found.at);
        if (stop < end && *stop == 0x1A) {
            end = stop;
        }
        if (table != nullptr && (line.upperHalf || !table->keepsAscii)) {
            line.equals |= convertLine(at, static_cast<std::size_t>(stop - at), *table);
        }
        sawNul |= line.nul;
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
        // Without an '=' in its line and without a leading '=' or space, a piece is body
        // text whatever else it holds: only the others are classified later.
        if (line.equals || *p == ' ') {
            issue.outlineCandidates.push_back(static_cast<std::uint32_t>(issue.lines.size()));
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
    if (sawNul) {
        for (IssueLine& piece : issue.lines) {
            if (const void* nul = std::memchr(piece.data, '\0', piece.size)) {
                piece.length =
                    static_cast<std::uint32_t>(static_cast<const char*>(nul) - piece.data);
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
    const CodePageTable table(converter);
    splitAndConvert(issue, markerLength, &table);
}

void enterOutline(const Issue& issue, OutlineSink& sink) {
    const OutlineItem file =
        sink.insert(kOutlineRoot, OutlineKind::File, issue.label, issue.head());
    OutlineItem section = file;
    for (const std::uint32_t index : issue.outlineCandidates) {
        const IssueLine* line = &issue.lines[index];
        const std::string_view text = line->text();
        switch (classifyLine(text)) {
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
