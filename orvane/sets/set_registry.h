// The list of sets in section "Sets": "SetNumber", "Set0".."SetN" = "name,description",
// and "CurrentSet".
#pragma once

#include <string>
#include <vector>

#include "settings_store.h"

namespace orvane {

struct TSetRecord {
    std::string name;
    std::string description;

    bool operator==(const TSetRecord&) const = default;
};

// Reads "Set0" up to "SetNumber" - 1 and stops at the first missing or empty value.
// A value without a comma is a name with no description.
std::vector<TSetRecord> ReadSetRegistry(const SettingsStore& store);
// Values numbered past the rows written stay as they were; "SetNumber" bounds reading.
void WriteSetRegistry(SettingsStore& store, std::string_view currentSetName,
                      const std::vector<TSetRecord>& rows);

std::string ReadCurrentSetName(const SettingsStore& store);

}  // namespace orvane
