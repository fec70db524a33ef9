#include "list_labels.h"

#include "play_time.h"

#include <cstdio>

namespace orvane {

std::string TotalTimeLabel(const TListTotals& totals)
{
    return "Time: " + FormatPlayTime(totals.selectedSeconds) + " / " + FormatPlayTime(totals.listSeconds);
}

std::string TotalSongLabel(const TListTotals& totals, int currentIndex)
{
    char text[64];
    if (totals.selectedCount > 1) {
        std::snprintf(text, sizeof text, "%2d of %2d,", totals.selectedCount, totals.count);
    } else {
        const int position = totals.firstSelected >= 0 ? totals.firstSelected : currentIndex;
        std::snprintf(text, sizeof text, "NO.%2d/%2d,", position + 1, totals.count);
    }
    return text;
}

std::string FileListCountLabel(int selectedFiles, int allFiles)
{
    char text[64];
    std::snprintf(text, sizeof text, "%2d of %2d files selected", selectedFiles, allFiles);
    return text;
}

std::string CheckResultMessage(int deleted)
{
    if (deleted == 0) return std::string(kCheckFoundNothing);
    char text[64];
    std::snprintf(text, sizeof text, "Successfully delete %d invalid entries !!", deleted);
    return text;
}

}  // namespace orvane
