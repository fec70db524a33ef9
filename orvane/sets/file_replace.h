// Replacing a file's content only once the new copy is complete.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

namespace orvane {

// Writes a temporary file beside the target, then renames it over the target.
// Throws SetFileError ("Unable to write to ...") and leaves the old file untouched.
void ReplaceFileContent(const std::filesystem::path& path, std::span<const std::uint8_t> data);

}  // namespace orvane
