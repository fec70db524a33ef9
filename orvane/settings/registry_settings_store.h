// The settings store on a key of HKEY_CURRENT_USER (Windows only): sections are
// sub-keys, values REG_SZ. Each call opens the key for that moment only.
#pragma once

#include <string>

#include "setting_names.h"
#include "settings_store.h"

namespace orvane {

class RegistrySettingsStore : public SettingsStore {
public:
    explicit RegistrySettingsStore(std::string keyPath = std::string(kSettingsKeyPath));

    std::optional<std::string> ReadText(std::string_view section,
                                        std::string_view name) const override;
    void WriteText(std::string_view section, std::string_view name,
                   std::string_view value) override;

private:
    std::string SectionPath(std::string_view section) const;
    std::string keyPath_;
};

}  // namespace orvane
