// A generated RTF document and how much of it has been handed to the text pane.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string>

namespace nuvella {

// Serves one streaming operation; the document holds no terminating NUL.
struct ArticleStream {
    std::string data;
    std::size_t position = 0;

    std::size_t size() const { return data.size(); }

    // Copies the next bytes, at most `requested`, and returns how many; 0 at the end.
    std::size_t read(char* out, std::size_t requested) {
        const std::size_t count = std::min(size() - position, requested);
        if (count > 0) {
            std::memcpy(out, data.data() + position, count);
            position += count;
        }
        return count;
    }
};

}  // namespace nuvella
