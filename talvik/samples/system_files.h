// The few file operations the splitter needs, by name. On Windows every name goes
// through the ANSI code page, as the rest of this ANSI program does; std::filesystem
// built from a narrow string would widen it byte for byte and miss names holding
// characters such as the typographic apostrophe.
#pragma once

#include <cstdio>
#include <string>

namespace talvik {

// stdio file opened with a `mode` of fopen.
std::FILE* OpenSystemFile(const std::string& name, const char* mode);
// True when a file (not a directory) of this name exists.
bool IsExistingFile(const std::string& name);
// Creates one directory level; false when it was not made (it may exist already).
bool MakeDirectory(const std::string& name);
bool RemoveSystemFile(const std::string& name);
// Renames `from` to `to`, replacing `to`; the message is empty on success.
std::string RenameOver(const std::string& from, const std::string& to);

}  // namespace talvik
