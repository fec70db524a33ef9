// Decides what one piece of an issue is, and cuts the outline labels out of it.
#pragma once

#include <optional>
#include <string_view>

namespace nuvella {

enum class LineKind { Body, SectionSeparator, BracketedTitle, RuleLine, QuotedTitle };

LineKind classifyLine(std::string_view text);

// The first token: leading delimiters skipped, then everything up to the next delimiter.
std::optional<std::string_view> firstToken(std::string_view text, std::string_view delimiters);

inline constexpr std::string_view kNoTitle = "(no title)";

std::string_view sectionLabel(std::string_view text);
std::string_view bracketedTitleLabel(std::string_view text);
std::string_view quotedTitleLabel(std::string_view text);

}  // namespace nuvella
