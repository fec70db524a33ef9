#include "registry_settings_store.h"

#include <windows.h>

#include <utility>

#include "registry_text_win32.h"

namespace orvane {

RegistrySettingsStore::RegistrySettingsStore(std::string keyPath) : keyPath_(std::move(keyPath)) {}

std::string RegistrySettingsStore::SectionPath(std::string_view section) const {
    return keyPath_ + "\\" + std::string(section);
}

std::optional<std::string> RegistrySettingsStore::ReadText(std::string_view section,
                                                           std::string_view name) const {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, SectionPath(section).c_str(), 0, KEY_READ, &key) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    auto text = QueryRegistryText(key, std::string(name).c_str());
    RegCloseKey(key);
    return text;
}

void RegistrySettingsStore::WriteText(std::string_view section, std::string_view name,
                                      std::string_view value) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, SectionPath(section).c_str(), 0, nullptr,
                        REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS) {
        throw SettingsWriteError(name);
    }
    const std::string text(value);
    const LONG rc = RegSetValueExA(key, std::string(name).c_str(), 0, REG_SZ,
                                   reinterpret_cast<const BYTE*>(text.c_str()),
                                   static_cast<DWORD>(text.size() + 1));
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS) throw SettingsWriteError(name);
}

}  // namespace orvane
