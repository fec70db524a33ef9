#include "settings_store.h"

#include <cstdint>

namespace orvane {

SettingsWriteError::SettingsWriteError(std::string_view valueName)
    : std::runtime_error("Failed to set data for '" + std::string(valueName) + "'") {}

namespace {

int DigitValue(char c, int base) {
    int v = -1;
    if (c >= '0' && c <= '9') v = c - '0';
    else if (c >= 'a' && c <= 'f') v = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F') v = c - 'A' + 10;
    return v < base ? v : -1;
}

}  // namespace

int ParseStoredInteger(std::string_view text, int defaultValue) {
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        // Hexadecimal covers the full 32 bits; the top bit gives a negative value.
        std::uint64_t value = 0;
        for (char c : text.substr(2)) {
            const int d = DigitValue(c, 16);
            if (d < 0) return defaultValue;
            value = value * 16 + static_cast<std::uint64_t>(d);
            if (value > 0xFFFFFFFFu) return defaultValue;
        }
        return static_cast<int>(static_cast<std::int32_t>(static_cast<std::uint32_t>(value)));
    }
    bool negative = false;
    std::size_t pos = 0;
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
        negative = text[0] == '-';
        pos = 1;
    }
    if (pos >= text.size()) return defaultValue;
    std::int64_t value = 0;
    for (; pos < text.size(); ++pos) {
        const int d = DigitValue(text[pos], 10);
        if (d < 0) return defaultValue;
        value = value * 10 + d;
        if (value > 2147483648LL) return defaultValue;
    }
    if (negative) value = -value;
    if (value > 2147483647LL) return defaultValue;
    return static_cast<int>(value);
}

std::string SettingsStore::ReadString(std::string_view section, std::string_view name,
                                      std::string_view defaultValue) const {
    auto text = ReadText(section, name);
    return text ? *text : std::string(defaultValue);
}

int SettingsStore::ReadInteger(std::string_view section, std::string_view name,
                               int defaultValue) const {
    auto text = ReadText(section, name);
    return text ? ParseStoredInteger(*text, defaultValue) : defaultValue;
}

bool SettingsStore::ReadBool(std::string_view section, std::string_view name,
                             bool defaultValue) const {
    return ReadInteger(section, name, defaultValue ? 1 : 0) != 0;
}

void SettingsStore::WriteString(std::string_view section, std::string_view name,
                                std::string_view value) {
    WriteText(section, name, value);
}

void SettingsStore::WriteInteger(std::string_view section, std::string_view name, int value) {
    WriteText(section, name, std::to_string(value));
}

void SettingsStore::WriteBool(std::string_view section, std::string_view name, bool value) {
    WriteText(section, name, value ? "1" : "0");
}

}  // namespace orvane
