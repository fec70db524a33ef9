#include "lyrics_extension_list.h"

#include <algorithm>
#include <utility>

#include "text_rules.h"

namespace orvane {

std::vector<std::string> ParseLyricsExtensions(std::string_view text) {
    std::vector<std::string> entries;
    std::string rest = TrimText(text);
    while (!rest.empty()) {
        const std::size_t semicolon = rest.find(';');
        std::string entry = UpperText(TrimText(std::string_view(rest).substr(0, semicolon)));
        // An empty entry (";;") would make "song." a lyrics candidate; it is skipped.
        if (!entry.empty()) entries.push_back(std::move(entry));
        if (semicolon == std::string::npos) break;
        rest = TrimText(std::string_view(rest).substr(semicolon + 1));
    }
    return entries;
}

std::string FormatLyricsExtensions(const std::vector<std::string>& entries) {
    std::string text;
    for (const auto& entry : entries) text += entry + ";";
    return text;
}

TLyricsExtensionList::TLyricsExtensionList(std::vector<std::string> entries)
    : entries_(std::move(entries)) {}

void TLyricsExtensionList::Select(int index) {
    selected_ = (index >= 0 && index < static_cast<int>(entries_.size())) ? index : -1;
}

bool TLyricsExtensionList::Contains(std::string_view entry) const {
    return std::find(entries_.begin(), entries_.end(), entry) != entries_.end();
}

bool TLyricsExtensionList::Add(std::string_view answer) {
    if (!answer.empty() && answer.front() == '.') answer.remove_prefix(1);
    const std::string entry = UpperText(TrimText(answer.substr(0, 3)));
    if (entry.empty() || Contains(entry)) return false;
    entries_.push_back(entry);
    return true;
}

bool TLyricsExtensionList::Edit(std::string_view answer) {
    if (selected_ < 0) return false;
    const std::string entry = UpperText(TrimText(answer.substr(0, 3)));
    if (entry.empty() || Contains(entry)) return false;
    entries_[static_cast<std::size_t>(selected_)] = entry;
    return true;
}

bool TLyricsExtensionList::Delete() {
    if (selected_ < 0) return false;
    entries_.erase(entries_.begin() + selected_);
    selected_ = -1;
    return true;
}

bool TLyricsExtensionList::Up() {
    if (selected_ <= 0) return false;
    std::swap(entries_[static_cast<std::size_t>(selected_)],
              entries_[static_cast<std::size_t>(selected_ - 1)]);
    --selected_;
    return true;
}

bool TLyricsExtensionList::Down() {
    if (selected_ < 0 || selected_ + 1 >= static_cast<int>(entries_.size())) return false;
    std::swap(entries_[static_cast<std::size_t>(selected_)],
              entries_[static_cast<std::size_t>(selected_ + 1)]);
    ++selected_;
    return true;
}

}  // namespace orvane
