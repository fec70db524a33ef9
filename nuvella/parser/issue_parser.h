// Turns the text of an issue into its chain of pieces and enters its outline.
#pragma once

#include <cstddef>
#include <string_view>

#include "issue.h"
#include "oem_converter.h"
#include "outline_sink.h"

namespace nuvella {

// Length of the piece that starts at `text`: up to and including a line feed, at most 99.
std::size_t pieceLength(const char* text, std::size_t size);

// "Start.Of" anywhere in the piece, in any letter case.
bool hasIssueMarker(std::string_view firstPiece);

// Splits issue.text from `from` on into pieces and closes the chain with the empty piece.
void splitIntoPieces(Issue& issue, std::size_t from);

// Converts everything after the marker piece from the OEM code page and splits it into
// pieces; the marker piece itself is dropped unconverted.
void parseIssueText(Issue& issue, std::size_t markerLength, OemConverter& converter);

// Inserts the file entry and its sections and articles, in the order of the text.
void enterOutline(const Issue& issue, OutlineSink& sink);

}  // namespace nuvella
