// Totals under the song list, the file list's count label, and the fixed
// message texts of the list commands.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orvane {

struct TListTotals {
    std::int64_t listSeconds = 0;
    std::int64_t selectedSeconds = 0;
    int count = 0;
    int selectedCount = 0;
    int firstSelected = -1;  // position of the first selected entry, -1 for none
};

// "Time: %s / %s": selected total, then list total.
std::string TotalTimeLabel(const TListTotals& totals);
// "%2d of %2d," with more than one entry selected, else "NO.%2d/%2d," with
// the selected entry's position, or the now-playing one's, counting from 1.
std::string TotalSongLabel(const TListTotals& totals, int currentIndex);
// "%2d of %2d files selected".
std::string FileListCountLabel(int selectedFiles, int allFiles);

inline constexpr std::string_view kEmptyListQuestion =
    "I will empty all entries in the MP3 listbox , are you sure ??";
inline constexpr std::string_view kCheckFoundNothing = "No Problem !! :)";
// "No Problem !! :)" or "Successfully delete %d invalid entries !!".
std::string CheckResultMessage(int deleted);

}  // namespace orvane
