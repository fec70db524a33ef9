#include "registry_classes_registry.h"

#include <windows.h>

#include <string>

#include "registry_text_win32.h"

namespace orvane {

bool RegistryClassesRegistry::KeyExists(std::string_view key) const {
    HKEY handle = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, std::string(key).c_str(), 0, KEY_READ, &handle) !=
        ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(handle);
    return true;
}

std::optional<std::string> RegistryClassesRegistry::ReadValue(std::string_view key,
                                                              std::string_view name) const {
    HKEY handle = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, std::string(key).c_str(), 0, KEY_READ, &handle) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    const std::string valueName(name);
    // An empty name is the key's default value.
    auto text = QueryRegistryText(handle, valueName.empty() ? nullptr : valueName.c_str());
    RegCloseKey(handle);
    return text;
}

bool RegistryClassesRegistry::WriteValue(std::string_view key, std::string_view name,
                                         std::string_view value) {
    HKEY handle = nullptr;
    if (RegCreateKeyExA(HKEY_CLASSES_ROOT, std::string(key).c_str(), 0, nullptr,
                        REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, &handle,
                        nullptr) != ERROR_SUCCESS) {
        return false;
    }
    const std::string valueName(name);
    const std::string text(value);
    const LONG rc = RegSetValueExA(handle, valueName.empty() ? nullptr : valueName.c_str(), 0,
                                   REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                                   static_cast<DWORD>(text.size() + 1));
    RegCloseKey(handle);
    return rc == ERROR_SUCCESS;
}

}  // namespace orvane
