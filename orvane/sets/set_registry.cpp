#include "set_registry.h"

#include "setting_access.h"

namespace orvane {

namespace {

std::string SetValueName(int index) {
    return std::string(setting::SetValuePrefix) + std::to_string(index);
}

}  // namespace

std::vector<TSetRecord> ReadSetRegistry(const SettingsStore& store) {
    std::vector<TSetRecord> rows;
    const int count = ReadSetting(store, setting::SetNumber);
    for (int i = 0; i < count; ++i) {
        const auto text = store.ReadText(kSetsSection, SetValueName(i));
        if (!text || text->empty()) break;
        const std::size_t comma = text->find(',');
        if (comma == std::string::npos) {
            rows.push_back({*text, ""});
        } else {
            rows.push_back({text->substr(0, comma), text->substr(comma + 1)});
        }
    }
    return rows;
}

void WriteSetRegistry(SettingsStore& store, std::string_view currentSetName,
                      const std::vector<TSetRecord>& rows) {
    WriteSetting(store, setting::CurrentSet, currentSetName);
    WriteSetting(store, setting::SetNumber, static_cast<int>(rows.size()));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        store.WriteString(kSetsSection, SetValueName(static_cast<int>(i)),
                          rows[i].name + "," + rows[i].description);
    }
}

std::string ReadCurrentSetName(const SettingsStore& store) {
    // An empty stored name would map to the file ".OVM"; it means the default set.
    std::string name = ReadSetting(store, setting::CurrentSet);
    return name.empty() ? std::string(setting::CurrentSet.defaultValue) : name;
}

}  // namespace orvane
