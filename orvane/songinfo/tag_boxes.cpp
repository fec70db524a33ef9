#include "tag_boxes.h"

#include "genre_list.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <optional>

namespace orvane {
namespace {

// A whole decimal number, optionally signed, with leading blanks allowed;
// anything else is not a number. Out-of-range digits still count as a
// number (one that no check accepts).
std::optional<long long> ParseNumber(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    if (text.empty()) return std::nullopt;
    std::string_view digits = text;
    if (digits.front() == '+' || digits.front() == '-') digits.remove_prefix(1);
    if (digits.empty()) return std::nullopt;
    for (char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
    }
    if (text.front() == '+') text.remove_prefix(1);
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error == std::errc::result_out_of_range) return text.front() == '-' ? -1 : 1LL << 62;
    return value;
}

std::string Cut(std::string_view text, std::size_t width)
{
    return std::string(text.substr(0, width));
}

}  // namespace

TTagBoxes BoxesFromTag(const TTagRecord& record)
{
    return {record.title, record.artist, record.album, record.year, record.comment, GenreSelection(record.genre)};
}

TTagRecord TagFromBoxes(const TTagBoxes& boxes)
{
    TTagRecord record;
    record.title = Cut(boxes.title, kTagTextWidth);
    record.artist = Cut(boxes.artist, kTagTextWidth);
    record.album = Cut(boxes.album, kTagTextWidth);
    record.year = Cut(boxes.year, kTagYearWidth);
    record.comment = Cut(boxes.comment, kTagTextWidth);
    const int selection = GenreSelection(boxes.genre);
    record.genre = selection < 0 ? kNoGenre : static_cast<std::uint8_t>(selection);
    return record;
}

TYearResult CheckYear(std::string_view text, int currentYear)
{
    const auto number = ParseNumber(text);
    if (!number) return {TYearCheck::ReplacedByCurrentYear, std::to_string(currentYear)};
    // The accepted year is written back as plain digits: " 1999" would lose
    // its last digit in the 4-byte field.
    if (*number >= kFirstValidYear && *number <= currentYear) return {TYearCheck::Accepted, std::to_string(*number)};
    return {TYearCheck::Rejected, std::string(text)};
}

int CurrentYear()
{
    const auto today = std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now());
    return static_cast<int>(std::chrono::year_month_day(today).year());
}

std::string TagClipboardText(const TTagBoxes& boxes)
{
    const std::string title = Cut(boxes.title, kTagTextWidth);
    const std::string artist = Cut(boxes.artist, kTagTextWidth);
    const std::string album = Cut(boxes.album, kTagTextWidth);
    const std::string comment = Cut(boxes.comment, kTagTextWidth);
    const std::string genre = std::to_string(GenreSelection(boxes.genre));
    const std::size_t others = title.size() + artist.size() + album.size() + comment.size() + genre.size() + 10;
    const std::string year = Cut(boxes.year, kMaxClipboardTagText - others);
    return title + "\r\n" + artist + "\r\n" + album + "\r\n" + year + "\r\n" + comment + "\r\n" + genre;
}

TTagBoxes PasteTagClipboardText(std::string_view text, const TTagBoxes& current)
{
    TTagBoxes boxes = current;
    std::string_view rest = text.substr(0, kMaxClipboardTagText);
    // Each of the five text boxes takes the text up to the next CR LF; with
    // no such pair left the box keeps its text and one character is dropped.
    std::string* fields[] = {&boxes.title, &boxes.artist, &boxes.album, &boxes.year, &boxes.comment};
    for (std::string* field : fields) {
        const std::size_t pair = rest.find("\r\n");
        if (pair != std::string_view::npos) {
            *field = std::string(rest.substr(0, pair));
            if (field != &boxes.year) *field = Cut(*field, kTagTextWidth);
            rest.remove_prefix(pair + 2);
        } else if (!rest.empty()) {
            rest.remove_prefix(1);
        }
    }
    const auto genre = ParseNumber(rest);
    boxes.genre = genre ? GenreSelection(static_cast<int>(std::clamp<long long>(*genre, -1, 255))) : -1;
    return boxes;
}

}  // namespace orvane
