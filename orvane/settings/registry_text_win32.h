// Reading a text value from an open registry key (Windows only).
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace orvane {

// REG_SZ or REG_EXPAND_SZ as stored (no expansion); nothing for other types or errors.
std::optional<std::string> QueryRegistryText(HKEY key, const char* name);

}  // namespace orvane
