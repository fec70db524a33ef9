#include "memory_classes_registry.h"

#include "text_rules.h"

namespace orvane {

std::string MemoryClassesRegistry::Normal(std::string_view key) { return UpperText(key); }

bool MemoryClassesRegistry::KeyExists(std::string_view key) const {
    return keys_.count(Normal(key)) != 0;
}

std::optional<std::string> MemoryClassesRegistry::ReadValue(std::string_view key,
                                                            std::string_view name) const {
    auto it = values_.find(Normal(key) + '|' + UpperText(name));
    if (it == values_.end()) return std::nullopt;
    return it->second;
}

bool MemoryClassesRegistry::WriteValue(std::string_view key, std::string_view name,
                                       std::string_view value) {
    const std::string path = Normal(key);
    if (!failUnder_.empty() && path.compare(0, failUnder_.size(), failUnder_) == 0) return false;
    // Creating a key creates every key above it, as the registry does.
    for (std::size_t pos = path.find('\\'); pos != std::string::npos;
         pos = path.find('\\', pos + 1)) {
        keys_.insert(path.substr(0, pos));
    }
    keys_.insert(path);
    values_[path + '|' + UpperText(name)] = std::string(value);
    return true;
}

}  // namespace orvane
