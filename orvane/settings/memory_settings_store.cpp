#include "memory_settings_store.h"

#include <cctype>

namespace orvane {

namespace {

std::string Upper(std::string_view text) {
    std::string result(text);
    for (char& c : result) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return result;
}

}  // namespace

std::string MemorySettingsStore::Key(std::string_view section, std::string_view name) {
    // A backslash cannot occur in a value name's section part, so it separates safely.
    return Upper(section) + '\\' + Upper(name);
}

std::optional<std::string> MemorySettingsStore::ReadText(std::string_view section,
                                                         std::string_view name) const {
    auto it = values_.find(Key(section, name));
    if (it == values_.end()) return std::nullopt;
    return it->second;
}

void MemorySettingsStore::WriteText(std::string_view section, std::string_view name,
                                    std::string_view value) {
    if (failWrites_) throw SettingsWriteError(name);
    values_[Key(section, name)] = std::string(value);
}

bool MemorySettingsStore::HasSection(std::string_view section) const {
    const std::string prefix = Upper(section) + '\\';
    auto it = values_.lower_bound(prefix);
    return it != values_.end() && it->first.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace orvane
