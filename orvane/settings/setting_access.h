// Reading and writing the named settings with their own defaults.
#pragma once

#include <string>

#include "setting_names.h"
#include "settings_store.h"

namespace orvane {

inline std::string ReadSetting(const SettingsStore& store, const TextSetting& s) {
    return store.ReadString(s.section, s.name, s.defaultValue);
}
inline int ReadSetting(const SettingsStore& store, const IntSetting& s) {
    return store.ReadInteger(s.section, s.name, s.defaultValue);
}
inline bool ReadSetting(const SettingsStore& store, const BoolSetting& s) {
    return store.ReadBool(s.section, s.name, s.defaultValue);
}
inline int ReadSetting(const SettingsStore& store, const NamedSetting& s, int defaultValue) {
    return store.ReadInteger(s.section, s.name, defaultValue);
}

inline void WriteSetting(SettingsStore& store, const TextSetting& s, std::string_view value) {
    store.WriteString(s.section, s.name, value);
}
inline void WriteSetting(SettingsStore& store, const IntSetting& s, int value) {
    store.WriteInteger(s.section, s.name, value);
}
inline void WriteSetting(SettingsStore& store, const BoolSetting& s, bool value) {
    store.WriteBool(s.section, s.name, value);
}
inline void WriteSetting(SettingsStore& store, const NamedSetting& s, int value) {
    store.WriteInteger(s.section, s.name, value);
}

// The three readers of section "(Default)" the other windows use.
inline bool ReadOptionBool(const SettingsStore& store, std::string_view name, bool defaultValue) {
    return store.ReadBool(kDefaultSection, name, defaultValue);
}
inline int ReadOptionInt(const SettingsStore& store, std::string_view name, int defaultValue) {
    return store.ReadInteger(kDefaultSection, name, defaultValue);
}
inline std::string ReadOptionStr(const SettingsStore& store, std::string_view name,
                                 std::string_view defaultValue) {
    return store.ReadString(kDefaultSection, name, defaultValue);
}

}  // namespace orvane
