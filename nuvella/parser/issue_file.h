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

// Text mode, in place: a Ctrl+Z ends the file and a carriage return/line feed pair becomes
// a line feed. Returns the new size.
std::size_t applyTextMode(char* bytes, std::size_t size);

}  // namespace nuvella
