// The settings store: a registry key seen as an INI file (sections, text values).
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace orvane {

// A value that could not be written; the text is the one shown to the user.
class SettingsWriteError : public std::runtime_error {
public:
    explicit SettingsWriteError(std::string_view valueName);
};

// Integers are stored as decimal text; "0x"/"0X" marks hexadecimal. Anything
// that is not a number (or does not fit in 32 bits) gives the default.
int ParseStoredInteger(std::string_view text, int defaultValue);

class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // The stored text, or nothing when the section or value is missing or unreadable.
    virtual std::optional<std::string> ReadText(std::string_view section,
                                                std::string_view name) const = 0;
    // Creates the section when missing. Throws SettingsWriteError on failure.
    virtual void WriteText(std::string_view section, std::string_view name,
                           std::string_view value) = 0;

    std::string ReadString(std::string_view section, std::string_view name,
                           std::string_view defaultValue) const;
    int ReadInteger(std::string_view section, std::string_view name, int defaultValue) const;
    // Booleans are integers: anything but 0 is true.
    bool ReadBool(std::string_view section, std::string_view name, bool defaultValue) const;

    void WriteString(std::string_view section, std::string_view name, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view name, int value);
    void WriteBool(std::string_view section, std::string_view name, bool value);
};

}  // namespace orvane
