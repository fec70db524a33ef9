#include "line_classifier.h"

namespace nuvella {
namespace {

constexpr std::string_view kSectionDelimiters = "-=[]<>\n";
constexpr std::string_view kBracketOpeners = "<([";
constexpr std::string_view kBracketDelimiters = "()<>[]";
constexpr std::string_view kQuotedTitlePrefix = " :: \"";

}  // namespace

LineKind classifyLine(std::string_view text) {
    if (text.starts_with("==") || text.find("=-=-") != std::string_view::npos) {
        return LineKind::SectionSeparator;
    }
    if (text.starts_with("=-")) {
        return text.find_first_of(kBracketOpeners) != std::string_view::npos
                   ? LineKind::BracketedTitle
                   : LineKind::RuleLine;
    }
    if (text.starts_with(kQuotedTitlePrefix)) {
        return LineKind::QuotedTitle;
    }
    return LineKind::Body;
}

std::optional<std::string_view> firstToken(std::string_view text, std::string_view delimiters) {
    const auto begin = text.find_first_not_of(delimiters);
    if (begin == std::string_view::npos) {
        return std::nullopt;
    }
    const auto end = text.find_first_of(delimiters, begin);
    return text.substr(begin, end == std::string_view::npos ? std::string_view::npos : end - begin);
}

std::string_view sectionLabel(std::string_view text) {
    return firstToken(text, kSectionDelimiters).value_or(kNoTitle);
}

std::string_view bracketedTitleLabel(std::string_view text) {
    const auto opener = text.find_first_of(kBracketOpeners);
    if (opener == std::string_view::npos) {
        return {};
    }
    return firstToken(text.substr(opener), kBracketDelimiters).value_or(std::string_view{});
}

std::string_view quotedTitleLabel(std::string_view text) {
    if (text.size() <= 4) {
        return {};
    }
    return firstToken(text.substr(4), "\"").value_or(std::string_view{});
}

}  // namespace nuvella
