#include "issue_parser.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

#include "line_classifier.h"
#include "line_masks.h"

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

// The same pieces as takePiece() one after the other, line by line: the line ends are
// walked by the bits of their blocks' masks, and whether a line holds an '=' is read from
// the same masks. A Ctrl+Z ends the text, as text mode does. With a code page table, the
// bytes it changes are converted block by block as they are passed, before the lines
// that hold them are split.
class PieceSplitter {
  public:
    PieceSplitter(Issue& issue, std::size_t from, const CodePageTable* table)
        : issue_(issue), table_(table), lineStart_(issue.text.get() + from),
          end_(issue.text.get() + issue.textSize) {}

    void run() {
        issue_.lines.clear();
        issue_.lines.reserve(static_cast<std::size_t>(end_ - lineStart_) / 32 + 1);
        issue_.outlineCandidates.clear();
        issue_.outlineCandidates.reserve(issue_.lines.capacity() / 16);
        walkBlocks();
        if (lineStart_ < end_)
            lastLine(lineStart_, end_, pendingEquals_);
        issue_.textSize = static_cast<std::size_t>(end_ - issue_.text.get());
        issue_.lines.push_back(IssueLine{end_, 0, 0});
        if (sawNul_)
            endPiecesAtNuls();
    }

  private:
    static constexpr std::size_t kBatch = 64;  // blocks whose masks are built at once

    void walkBlocks() {
        std::array<LineMasks, kBatch> masks;
        for (char* base = lineStart_; base < end_;) {
            const auto left = static_cast<std::size_t>(end_ - base);
            std::size_t blocks = std::min(kBatch, left / kMaskBlock);
            if (blocks == 0) {
                masks[0] = buildTailMasks(base, left);
                blocks = 1;
            } else {
                buildLineMasks(base, blocks, masks.data());
            }
            // The bits of a block that lie in the text: all, but in a short last block.
            const std::uint64_t lastValid =
                left < kMaskBlock ? (std::uint64_t{1} << left) - 1 : ~std::uint64_t{0};
            for (std::size_t b = 0; b < blocks; ++b) {
                if (!walkBlock(base + b * kMaskBlock, masks[b], b + 1 < blocks ? ~std::uint64_t{0}
                                                                               : lastValid))
                    return;
            }
            base += blocks * kMaskBlock;
        }
    }

    // False when a Ctrl+Z in the block ended the text. `valid`: the block's bits that lie in
    // the text (a conversion of every byte must not reach past its end).
    bool walkBlock(char* block, const LineMasks& m, std::uint64_t valid) {
        std::uint64_t inText = valid;  // the bits before the end and any Ctrl+Z
        if (m.ctrlZ != 0)
            inText &= (std::uint64_t{1} << std::countr_zero(m.ctrlZ)) - 1;
        std::uint64_t equals = m.equals;
        if (table_ != nullptr) {
            const std::uint64_t changed =
                table_->keepsAscii ? m.upper : ~(m.lineFeeds | m.ctrlZ);
            if ((changed & inText) != 0)
                equals |= convertBytes(block, changed & inText);
        }
        sawNul_ |= (m.nuls & inText) != 0;
        std::uint64_t rest = ~std::uint64_t{0};  // the bits after the last line end
        for (std::uint64_t feeds = m.lineFeeds & inText; feeds != 0; feeds &= feeds - 1) {
            const int at = std::countr_zero(feeds);
            const std::uint64_t upTo = (std::uint64_t{2} << at) - 1;  // all bits for at 63
            lineWithFeed(lineStart_, block + at, pendingEquals_ || (equals & upTo & rest) != 0);
            lineStart_ = block + at + 1;
            pendingEquals_ = false;
            rest = ~upTo;
        }
        pendingEquals_ = pendingEquals_ || (equals & rest & inText) != 0;
        if (m.ctrlZ == 0)
            return true;
        end_ = block + std::countr_zero(m.ctrlZ);
        return false;
    }

    // Converts the bytes of the block at `bits` in place; returns the bits of those that
    // became an '=' (the code page turns some signs into '=': cp437's identical-to, for one).
    std::uint64_t convertBytes(char* block, std::uint64_t bits) const {
        std::uint64_t madeEquals = 0;
        for (; bits != 0; bits &= bits - 1) {
            const int at = std::countr_zero(bits);
            const char was = block[at];
            const char now = table_->bytes[static_cast<unsigned char>(was)];
            block[at] = now;
            if (now == '=' && was != '=')
                madeEquals |= std::uint64_t{1} << at;
        }
        return madeEquals;
    }

    // The pieces of the line from `start` to the line feed at `stop`.
    void lineWithFeed(char* start, char* stop, bool equals) {
        char* p = longLinePieces(start, stop, equals);
        const auto distance = static_cast<std::size_t>(stop - p);
        if (distance > 0 && p[distance - 1] == '\r') {
            p[distance - 1] = '\n';
            piece(p, distance, equals);
        } else if (distance < kMaxPieceLength) {
            piece(p, distance + 1, equals);
        } else {
            piece(p, kMaxPieceLength, equals);  // 99 characters, then the line feed alone
            piece(stop, 1, equals);
        }
    }

    // The pieces of the text's last line, which ends without a line feed.
    void lastLine(char* start, char* stop, bool equals) {
        char* p = longLinePieces(start, stop, equals);
        if (p < stop)
            piece(p, static_cast<std::size_t>(stop - p), equals);
    }

    // Whole pieces of 99 characters while more than 99 lie before `stop`; returns where
    // the rest begins.
    char* longLinePieces(char* p, const char* stop, bool equals) {
        for (; stop - p > static_cast<std::ptrdiff_t>(kMaxPieceLength); p += kMaxPieceLength)
            piece(p, kMaxPieceLength, equals);
        return p;
    }

    // Without an '=' in its line and without a leading '=' or space, a piece is body text
    // whatever else it holds: only the others are classified later.
    void piece(const char* p, std::size_t length, bool lineHasEquals) {
        if (lineHasEquals || *p == ' ')
            issue_.outlineCandidates.push_back(static_cast<std::uint32_t>(issue_.lines.size()));
        const auto n = static_cast<std::uint32_t>(length);
        issue_.lines.push_back(IssueLine{p, n, n});
    }

    // A NUL ends the visible text of its piece, as it would end a C string.
    void endPiecesAtNuls() {
        for (IssueLine& piece : issue_.lines) {
            if (const void* nul = std::memchr(piece.data, '\0', piece.size)) {
                piece.length =
                    static_cast<std::uint32_t>(static_cast<const char*>(nul) - piece.data);
            }
        }
    }

    Issue& issue_;
    const CodePageTable* table_;
    char* lineStart_;
    char* end_;
    bool pendingEquals_ = false;  // an '=' of the line being walked, in the blocks before
    bool sawNul_ = false;
};

void splitAndConvert(Issue& issue, std::size_t from, const CodePageTable* table) {
    PieceSplitter(issue, from, table).run();
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

OutlineEntries::OutlineEntries(const Issue& firstPart, OutlineSink& sink)
    : sink_(sink),
      file_(sink.insert(kOutlineRoot, OutlineKind::File, firstPart.label, firstPart.head())),
      section_(file_) {}

void OutlineEntries::enter(const Issue& part) {
    for (const std::uint32_t index : part.outlineCandidates) {
        const IssueLine* line = &part.lines[index];
        const std::string_view text = line->text();
        switch (classifyLine(text)) {
            case LineKind::SectionSeparator:
                section_ =
                    sink_.insert(file_, OutlineKind::Section, sectionLabel(text), line->next());
                break;
            case LineKind::BracketedTitle:
                sink_.insert(section_, OutlineKind::Article, bracketedTitleLabel(text), line);
                sink_.markHasChildren(section_);
                break;
            case LineKind::QuotedTitle:
                sink_.insert(section_, OutlineKind::Article, quotedTitleLabel(text), line);
                sink_.markHasChildren(section_);
                break;
            case LineKind::RuleLine:
            case LineKind::Body:
                break;
        }
    }
}

void enterOutline(const Issue& issue, OutlineSink& sink) {
    OutlineEntries(issue, sink).enter(issue);
}

}  // namespace nuvella
