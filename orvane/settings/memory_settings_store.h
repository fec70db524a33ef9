// Settings store held in memory, for tests and for running without a registry.
#pragma once

#include <map>
#include <string>

#include "settings_store.h"

namespace orvane {

class MemorySettingsStore : public SettingsStore {
public:
    std::optional<std::string> ReadText(std::string_view section,
                                        std::string_view name) const override;
    void WriteText(std::string_view section, std::string_view name,
                   std::string_view value) override;

    bool HasSection(std::string_view section) const;
    std::size_t ValueCount() const { return values_.size(); }
    // Makes every later write fail, as a read-only registry key would.
    void FailWrites(bool fail) { failWrites_ = fail; }

private:
    // Registry names are case-insensitive; keys are stored upper-cased.
    static std::string Key(std::string_view section, std::string_view name);
    std::map<std::string, std::string> values_;
    bool failWrites_ = false;
};

}  // namespace orvane
