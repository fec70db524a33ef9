// Set names and the set files they map to.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

inline constexpr std::string_view kDefaultSetName = "(Default)";
inline constexpr std::string_view kDefaultSetDescription = "Default Set";

// The set name with the part after its last "." replaced by "OVM" (".OVM" appended
// when it has no dot): "Rock.90s" -> "Rock.OVM".
std::string SetFileBaseName(std::string_view setName);
// Program folder (a path from SystemPath) + the base name, taken as ANSI text.
std::filesystem::path SetFileName(const std::filesystem::path& programFolder,
                                  std::string_view setName);

// Why a new set name cannot be used, or empty when it can. The name has to make a
// valid file name, must not hold the comma that ends the name in the set registry,
// and must not share its set file with one of the existing sets.
std::string CheckSetName(std::string_view setName, const std::vector<std::string>& existingNames);

}  // namespace orvane
