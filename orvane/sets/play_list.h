// The playlist file "OVM.M3U" and Play list.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "options.h"
#include "play_host.h"
#include "song_list_access.h"

namespace orvane {

inline constexpr std::string_view kPlayListFileName = "OVM.M3U";
inline constexpr std::string_view kNoFileToPlayText = "All files in list doesn't exist !!";

// Program folder + "OVM.M3U".
std::filesystem::path PlayListFile(const std::filesystem::path& programFolder);

// One full file name a line, each ended by CR LF; no header line.
std::string FormatPlayList(const std::vector<std::string>& fileNames);

// Writes the playlist and hands it to the player.
//   selectedOnly: only selected entries (Play with several selected)
//   fromHere: start at the first selected entry when songListActive and one is selected
// Returns the number of lines written. Throws SetFileError when the file cannot be written.
int WritePlayList(SongListAccess& list, PlayHost& host, const TOptions& options,
                  const std::filesystem::path& playListFile, bool selectedOnly, bool fromHere,
                  bool songListActive);

}  // namespace orvane
