#include "song_compare.h"

#include <algorithm>
#include <charconv>

namespace orvane {
namespace {

char Fold(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
bool IsLower(char c) { return c >= 'a' && c <= 'z'; }

}  // namespace

int CompareLocaleText(std::string_view a, std::string_view b)
{
    const std::size_t common = std::min(a.size(), b.size());
    int caseOrder = 0;
    for (std::size_t i = 0; i < common; ++i) {
        const auto fa = static_cast<unsigned char>(Fold(a[i]));
        const auto fb = static_cast<unsigned char>(Fold(b[i]));
        if (fa != fb) return fa < fb ? -1 : 1;
        if (caseOrder == 0 && a[i] != b[i]) caseOrder = IsLower(a[i]) ? -1 : 1;
    }
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    return caseOrder;
}

std::optional<std::int64_t> ParseSeconds(std::string_view text)
{
    if (text.empty()) return std::nullopt;
    if (text.front() == '+') text.remove_prefix(1);
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

std::uint32_t SortParameter(TSortKey key, bool reverse)
{
    return static_cast<std::uint32_t>(key) | (reverse ? 0x10000u : 0u);
}

int CompareSongEntries(const TSongEntry& a, const TSongEntry& b, std::uint32_t parameter, TTextCompare compareText)
{
    const std::uint32_t key = parameter & 0xFFFF;
    int result = 0;
    if (key == static_cast<std::uint32_t>(TSortKey::ByTime)) {
        const auto first = ParseSeconds(a.secondsText);
        const auto second = ParseSeconds(b.secondsText);
        if (first && second) {
            result = (*first > *second) - (*first < *second);
        } else {
            result = (first ? 0 : 1) - (second ? 0 : 1);
        }
    } else if (key == static_cast<std::uint32_t>(TSortKey::ByPath)) {
        result = compareText(a.folder, b.folder);
    } else {
        result = compareText(a.caption, b.caption);
    }
    return (parameter >> 16) != 0 ? -result : result;
}

}  // namespace orvane
