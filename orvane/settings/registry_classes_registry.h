// ClassesRegistry on the real HKEY_CLASSES_ROOT (Windows only).
#pragma once

#include "classes_registry.h"

namespace orvane {

class RegistryClassesRegistry : public ClassesRegistry {
public:
    bool KeyExists(std::string_view key) const override;
    std::optional<std::string> ReadValue(std::string_view key,
                                         std::string_view name) const override;
    bool WriteValue(std::string_view key, std::string_view name,
                    std::string_view value) override;
};

}  // namespace orvane
