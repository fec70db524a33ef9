#include "issue_parser.h"

#include <algorithm>
#include <cstring>

#include "line_classifier.h"

namespace nuvella {

std::size_t pieceLength(const char* text, std::size_t size) {
  const std::size_t window = std::min<std::size_t>(size, kMaxPieceLength);
  const void* lf = std::memchr(text, '\n', window);
  return lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - text) + 1 : window;
}

bool hasIssueMarker(std::string_view firstPiece) {
  constexpr std::string_view kMarker = "START.OF";
  // Only a-z are folded; other bytes (code page letters included) stand as they are.
  auto upper = [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; };
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
  const char* p = issue.text.get() + from;
  const char* const end = issue.text.get() + issue.textSize;
  issue.lines.clear();
  issue.lines.reserve(static_cast<std::size_t>(end - p) / 32 + 1);
  while (p < end) {
    const auto n = static_cast<std::uint32_t>(pieceLength(p, static_cast<std::size_t>(end - p)));
    issue.lines.push_back(IssueLine{p, n, n});
    p += n;
  }
  issue.lines.push_back(IssueLine{end, 0, 0});
  // A NUL ends the visible text of its piece, as it would end a C string.
  if (from < issue.textSize && std::memchr(issue.text.get() + from, '\0', issue.textSize - from)) {
    for (IssueLine& line : issue.lines) {
      if (const void* nul = std::memchr(line.data, '\0', line.size)) {
        line.length = static_cast<std::uint32_t>(static_cast<const char*>(nul) - line.data);
      }
    }
  }
}

void enterOutline(const Issue& issue, OutlineSink& sink) {
  const OutlineItem file = sink.insert(kOutlineRoot, OutlineKind::File, issue.label, issue.head());
  OutlineItem section = file;
  for (const IssueLine* line = issue.head(); line != nullptr; line = line->next()) {
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
