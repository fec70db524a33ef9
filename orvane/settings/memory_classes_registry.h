// HKEY_CLASSES_ROOT held in memory, for tests.
#pragma once

#include <map>
#include <set>
#include <string>

#include "classes_registry.h"

namespace orvane {

class MemoryClassesRegistry : public ClassesRegistry {
public:
    bool KeyExists(std::string_view key) const override;
    std::optional<std::string> ReadValue(std::string_view key,
                                         std::string_view name) const override;
    bool WriteValue(std::string_view key, std::string_view name,
                    std::string_view value) override;

    // Writes to keys starting with this path fail (empty: none fail).
    void FailWritesUnder(std::string_view key) { failUnder_ = Normal(key); }

private:
    static std::string Normal(std::string_view key);
    std::set<std::string> keys_;
    std::map<std::string, std::string> values_;
    std::string failUnder_;
};

}  // namespace orvane
