// The tag panel's boxes as plain values: the record built from them, the
// Year rule, and the clipboard text of Copy and Paste.
#pragma once

#include "tag_record.h"

#include <string>
#include <string_view>

namespace orvane {

struct TTagBoxes {
    std::string title;
    std::string artist;
    std::string album;
    std::string year;
    std::string comment;
    int genre = -1;  // selection index of the Genre box, -1 for none

    bool operator==(const TTagBoxes&) const = default;
};

inline constexpr std::string_view kYearNotValidMessage = "Not valid, please input corrent value !!";
inline constexpr std::string_view kYearPresets[] = {"1994", "1995", "1996", "1997"};
inline constexpr int kFirstValidYear = 1900;

TTagBoxes BoxesFromTag(const TTagRecord& record);
// The record Save writes: texts cut to their widths, no genre as 255.
TTagRecord TagFromBoxes(const TTagBoxes& boxes);

enum class TYearCheck { Accepted, Rejected, ReplacedByCurrentYear };
struct TYearResult {
    TYearCheck check;
    std::string text;  // the box text after the check
};
// Year leaving its box: 1900 up to currentYear is kept (as plain digits); another number is
// rejected (the box keeps its text and the focus); text that is no number
// becomes currentYear.
TYearResult CheckYear(std::string_view text, int currentYear);
int CurrentYear();

// Copy: the six fields separated by CR LF, the genre as its decimal index.
// Cut to kMaxClipboardTagText characters by shortening the year, the only
// box without a length limit, so Paste always gets the genre back whole.
inline constexpr std::size_t kMaxClipboardTagText = 254;
std::string TagClipboardText(const TTagBoxes& boxes);
// Paste over the current boxes (see the .cpp for the exact rules).
TTagBoxes PasteTagClipboardText(std::string_view text, const TTagBoxes& current);

}  // namespace orvane
