// File names as the system takes them. The recorder's paths are ANSI text:
// bytes in the Windows code page, as the dialogs and the project file hold
// them. Every file the cores open, test, rename or remove goes through here, so
// that on Windows a name is converted through that code page explicitly (the
// runtime's std::filesystem would take a narrow name byte for byte) and
// elsewhere it is passed on unchanged.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

namespace brevant {

std::filesystem::path systemPath(const std::string& path);
// std::fopen for a recorder path; nullptr on failure.
std::FILE* openFile(const std::string& path, const char* mode);

bool fileExists(const std::string& path);
bool removeFile(const std::string& path);
// Both names reach the same existing file.
bool sameFile(const std::string& a, const std::string& b);

}  // namespace brevant
