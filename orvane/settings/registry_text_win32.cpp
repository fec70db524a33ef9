#include "registry_text_win32.h"

#include <vector>

namespace orvane {

std::optional<std::string> QueryRegistryText(HKEY key, const char* name) {
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    if (type != REG_SZ && type != REG_EXPAND_SZ) return std::nullopt;
    // The value may change between the two calls; ERROR_MORE_DATA asks again.
    for (int attempt = 0; attempt < 4; ++attempt) {
        std::vector<char> buffer(static_cast<std::size_t>(size) + 1, '\0');
        DWORD got = size;
        const LONG rc = RegQueryValueExA(key, name, nullptr, &type,
                                         reinterpret_cast<BYTE*>(buffer.data()), &got);
        if (rc == ERROR_MORE_DATA) {
            size = got;
            continue;
        }
        if (rc != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return std::nullopt;
        // Stored strings need not be terminated; stop at the first zero within the data.
        std::string text(buffer.data(), got);
        const std::size_t zero = text.find('\0');
        if (zero != std::string::npos) text.resize(zero);
        return text;
    }
    return std::nullopt;
}

}  // namespace orvane
