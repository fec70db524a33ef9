// File names as the system takes them. The programs keep file names as ANSI text; on
// Windows a std::filesystem::path built from narrow text would take the bytes as they are
// rather than through the ANSI code page, so every name goes through these two.
#pragma once
#include <filesystem>
#include <string>

namespace orvane {

// The path the system knows by this ANSI name (on Windows converted through CP_ACP).
std::filesystem::path SystemPath(const std::string& fileName);
// The ANSI name of a path (the reverse of SystemPath), for messages and playlists.
std::string SystemPathText(const std::filesystem::path& path);

}  // namespace orvane
