// Reads an issue file the way the platform's text mode does.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>

namespace nuvella {

struct IssueFile {
    std::unique_ptr<char[]> bytes;
    std::size_t size = 0;
};

// The whole file, or nothing when it cannot be opened or read (a directory, say).
std::optional<IssueFile> readIssueFile(const std::string& path);

// Text mode ends a file at its first Ctrl+Z: returns the size up to it. (The other rule of
// text mode, a carriage return/line feed pair read as a line feed, is applied as the text is
// split into pieces.)
std::size_t endAtCtrlZ(const char* bytes, std::size_t size);

}  // namespace nuvella
