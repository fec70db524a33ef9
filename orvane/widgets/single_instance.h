// The pure parts of the single-instance guard: the semaphore's name and the title of the
// hidden application window a second copy looks for. The Win32 half is SingleInstanceGuard
// (widgets_win32.h).
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace orvane {

// The class of the hidden application window that a second copy searches for.
inline constexpr std::string_view kApplicationWindowClass = "TApplication";

// The program's file name (no folder), its last-write date and time as the system formats
// them, and its size in decimal, with nothing between. An empty file name (the program
// file could not be opened) gives an empty name.
std::string InstanceSemaphoreName(std::string_view programFileName, std::string_view dateText,
                                  std::string_view timeText, std::uint64_t size);

// The file part of a full program path (after the last "\", "/" or ":").
std::string ProgramFilePart(std::string_view programPath);

// The application title cut after its last ":" or "\".
std::string ApplicationWindowTitle(std::string_view applicationTitle);

}  // namespace orvane
