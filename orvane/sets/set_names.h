// Set names and the set files they map to.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
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

// Where the set files are (paths from SystemPath). They are saved to `write`: the program
// folder, or the per-user folder when the program folder cannot be written. A set whose file
// is not in `write` yet is read from `firstPlace`, the program folder.
struct TSetFolders {
    TSetFolders(const std::filesystem::path& programFolder)  // NOLINT: one folder for both
        : write(programFolder), firstPlace(programFolder) {}
    TSetFolders(std::filesystem::path writeFolder, std::filesystem::path programFolder)
        : write(std::move(writeFolder)), firstPlace(std::move(programFolder)) {}
    std::filesystem::path write;
    std::filesystem::path firstPlace;
};

// The set's file in `write` when it is there, otherwise its file in the program folder.
std::filesystem::path SetFileToRead(const TSetFolders& folders, std::string_view setName);

// Why a new set name cannot be used, or empty when it can. The name has to make a
// valid file name, must not hold the comma that ends the name in the set registry,
// and must not share its set file with one of the existing sets.
std::string CheckSetName(std::string_view setName, const std::vector<std::string>& existingNames);

}  // namespace orvane
