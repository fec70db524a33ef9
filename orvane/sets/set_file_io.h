// Loading and saving set files on disk.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>

#include "set_file_format.h"

namespace orvane {

class SetFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A missing or unreadable file gives an empty image with the error text set.
TSetFileReadResult LoadSetFile(const std::filesystem::path& path);

// Writes beside the target and renames over it, so a failed save leaves the old file.
// Throws SetFileError. Returns how many texts were cut to 255 characters.
std::size_t SaveSetFile(const std::filesystem::path& path, const TSetFileImage& image);

}  // namespace orvane
