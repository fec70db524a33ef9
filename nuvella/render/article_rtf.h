// Writes the RTF document that shows one outline entry, from its start piece on.
#pragma once

#include <cstddef>

#include "article_stream.h"
#include "issue_line.h"

namespace nuvella {

// The document grows in a buffer sized for this at first; text stops once this much is
// written, and only the closing pieces may follow.
inline constexpr std::size_t kArticleCapacity = 40000;
inline constexpr std::size_t kArticleLimit = kArticleCapacity - 50;

inline constexpr int kDefaultBaseFontSize = 9;

// `baseFontSize` is the body text size in points; titles are one and a half times it.
void BuildArticleRtf(ArticleStream& stream, const IssueLine* start, int baseFontSize);

}  // namespace nuvella
