// Reads an issue file the way the platform's text mode does: the head first, then the rest.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "large_block.h"
#include "readable_file.h"

namespace nuvella {

// What the marker test reads before anything else: the marker piece takes at most 100 bytes,
// so a file that is no issue costs one small read however large it is.
inline constexpr std::size_t kIssueHeadSize = 4096;

struct IssueFile {
    TextBlock bytes;
    std::size_t size = 0;
};

// The first bytes of the file, at most kIssueHeadSize, into `head`: the count, or nothing on
// an error.
std::optional<std::size_t> readIssueHead(ReadableFile& file, char* head);

// The whole file in one block: the head already read, then the rest, which is read into place
// without a second copy. Nothing on an error.
std::optional<IssueFile> readIssueRest(ReadableFile& file, const char* head, std::size_t headSize);

// The whole file, or nothing when it cannot be opened or read (a directory, an empty file).
std::optional<IssueFile> readIssueFile(const std::string& path, FileOpener& files = systemFiles());

// Text mode ends a file at its first Ctrl+Z: returns the size up to it. (The other rule of
// text mode, a carriage return/line feed pair read as a line feed, is applied as the text is
// split into pieces.)
std::size_t endAtCtrlZ(const char* bytes, std::size_t size);

}  // namespace nuvella
