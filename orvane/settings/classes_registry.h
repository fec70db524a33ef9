// The part of HKEY_CLASSES_ROOT the file associations use.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orvane {

class ClassesRegistry {
public:
    virtual ~ClassesRegistry() = default;

    // Key paths are relative to the root, parts separated by "\".
    virtual bool KeyExists(std::string_view key) const = 0;
    // An empty name reads the key's default value. Nothing when key or value is missing.
    virtual std::optional<std::string> ReadValue(std::string_view key,
                                                 std::string_view name) const = 0;
    // Creates the key when missing; false when the key or value cannot be written.
    virtual bool WriteValue(std::string_view key, std::string_view name,
                            std::string_view value) = 0;
};

}  // namespace orvane
