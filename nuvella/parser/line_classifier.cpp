#include "line_classifier.h"

#include <array>

namespace nuvella {
namespace {

// Membership of a small character set by table: find_first_of would search the set once per
// character of the text, and labels are cut from every title of a large issue.
class CharSet {
  public:
    constexpr explicit CharSet(std::string_view members) {
        for (const char c : members) {
            in_[static_cast<unsigned char>(c)] = true;
        }
    }
    bool has(char c) const { return in_[static_cast<unsigned char>(c)]; }
    std::size_t findIn(std::string_view text, std::size_t from = 0) const {
        for (std::size_t i = from; i < text.size(); ++i) {
            if (has(text[i])) {
                return i;
            }
        }
        return std::string_view::npos;
    }
    std::size_t findNotIn(std::string_view text) const {
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (!has(text[i])) {
                return i;
            }
        }
        return std::string_view::npos;
    }

  private:
    std::array<bool, 256> in_{};
};

constexpr CharSet kSectionDelimiters("-=[]<>\n");
constexpr CharSet kBracketOpeners("<([");
constexpr CharSet kBracketDelimiters("()<>[]");
constexpr CharSet kQuote("\"");
constexpr std::string_view kQuotedTitlePrefix = " :: \"";

std::optional<std::string_view> firstTokenIn(std::string_view text, const CharSet& delimiters) {
    const auto begin = delimiters.findNotIn(text);
    if (begin == std::string_view::npos) {
        return std::nullopt;
    }
    const auto end = delimiters.findIn(text, begin);
    return text.substr(begin, end == std::string_view::npos ? std::string_view::npos : end - begin);
}

}  // namespace

LineKind classifyLine(std::string_view text) {
    if (text.starts_with("==") || text.find("=-=-") != std::string_view::npos) {
        return LineKind::SectionSeparator;
    }
    if (text.starts_with("=-")) {
        return kBracketOpeners.findIn(text) != std::string_view::npos ? LineKind::BracketedTitle
                                                                      : LineKind::RuleLine;
    }
    if (text.starts_with(kQuotedTitlePrefix)) {
        return LineKind::QuotedTitle;
    }
    return LineKind::Body;
}

std::optional<std::string_view> firstToken(std::string_view text, std::string_view delimiters) {
    return firstTokenIn(text, CharSet(delimiters));
}

std::string_view sectionLabel(std::string_view text) {
    return firstTokenIn(text, kSectionDelimiters).value_or(kNoTitle);
}

std::string_view bracketedTitleLabel(std::string_view text) {
    const auto opener = kBracketOpeners.findIn(text);
    if (opener == std::string_view::npos) {
        return {};
    }
    return firstTokenIn(text.substr(opener), kBracketDelimiters).value_or(std::string_view{});
}

std::string_view quotedTitleLabel(std::string_view text) {
    if (text.size() <= 4) {
        return {};
    }
    return firstTokenIn(text.substr(4), kQuote).value_or(std::string_view{});
}

}  // namespace nuvella
