#include "open_selection.h"

#include <cstring>
#include <string_view>

namespace nuvella {
namespace {

std::string_view textAt(const char* buffer, std::size_t size, std::size_t at) {
    if (at >= size) {
        return {};
    }
    const void* nul = std::memchr(buffer + at, '\0', size - at);
    const std::size_t end =
        nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - buffer) : size;
    return {buffer + at, end - at};
}

}  // namespace

OpenSelection parseOpenSelection(const char* buffer, std::size_t size, std::size_t fileOffset) {
    OpenSelection selection;
    const std::string_view first = textAt(buffer, size, 0);
    if (first.empty()) {
        return selection;
    }
    if (first.size() >= fileOffset) {
        selection.paths.emplace_back(first);
        return selection;
    }
    const std::string_view directory = first;
    for (std::size_t at = first.size() + 1; at < size;) {
        const std::string_view name = textAt(buffer, size, at);
        if (name.empty()) {
            break;
        }
        std::string joined;
        joined.reserve(directory.size() + 1 + name.size());
        joined.append(directory).append("\\").append(name);
        if (joined.size() < kJoinedPathCapacity) {
            selection.paths.push_back(std::move(joined));
        } else {
            selection.skipped.emplace_back(name);
        }
        at += name.size() + 1;
    }
    return selection;
}

}  // namespace nuvella
