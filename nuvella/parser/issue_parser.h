// Turns the text of an issue into its chain of pieces and enters its outline.
#pragma once

#include <cstddef>
#include <string_view>

#include "issue.h"
#include "oem_converter.h"
#include "outline_sink.h"

namespace nuvella {

// One piece as it lies in the bytes of the file: `raw` bytes there read as `length`
// characters in text mode.
struct RawPiece {
    std::size_t raw = 0;
    std::size_t length = 0;
};

// The piece that starts at `text`: up to and including a line feed, at most 99 characters.
// A closing carriage return/line feed pair reads as one line feed: the carriage return is
// overwritten with the line feed, so the piece's characters lie together without moving
// the rest of the text, and the old line feed is left behind outside the piece.
RawPiece takePiece(char* text, std::size_t size);

// "Start.Of" anywhere in the piece before any NUL, in any letter case.
bool hasIssueMarker(std::string_view firstPiece);

// Splits issue.text from `from` on into pieces and closes the chain with the empty piece; a
// Ctrl+Z on the way ends the text (issue.textSize is cut there). Pieces point into the text;
// bytes between them (left-behind line feeds) belong to none.
void splitIntoPieces(Issue& issue, std::size_t from);

// Converts everything after the marker piece from the OEM code page and splits it into
// pieces; the marker piece itself is dropped unconverted.
void parseIssueText(Issue& issue, std::size_t markerLength, OemConverter& converter);

// Inserts the file entry and its sections and articles, in the order of the text.
void enterOutline(const Issue& issue, OutlineSink& sink);

// The same for a text that is split a part at a time, each part whole lines: the file entry
// when constructed (over the first part), then the entries of each part's pieces.
class OutlineEntries {
  public:
    OutlineEntries(const Issue& firstPart, OutlineSink& sink);
    void enter(const Issue& part);

  private:
    OutlineSink& sink_;
    OutlineItem file_;
    OutlineItem section_;
};

}  // namespace nuvella
