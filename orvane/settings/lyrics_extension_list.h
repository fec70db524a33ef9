// The lyrics extension list of the Properties dialog: its stored form and its editing buttons.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orvane {

// "TXT;DIZ;" -> {"TXT", "DIZ"}; entries upper-cased, a last entry without ";" counts.
std::vector<std::string> ParseLyricsExtensions(std::string_view text);
// Each entry followed by ";".
std::string FormatLyricsExtensions(const std::vector<std::string>& entries);

class TLyricsExtensionList {
public:
    TLyricsExtensionList() = default;
    explicit TLyricsExtensionList(std::vector<std::string> entries);

    const std::vector<std::string>& Entries() const { return entries_; }
    int Selected() const { return selected_; }
    void Select(int index);  // -1 or out of range clears the selection

    // The answer to "&Add": one leading "." dropped, first 3 characters, trimmed,
    // upper-cased; appended when new. False when nothing changed.
    bool Add(std::string_view answer);
    // The answer to "&Edit": first 3 characters, trimmed, upper-cased; replaces the
    // selected entry when new. False when nothing changed.
    bool Edit(std::string_view answer);
    bool Delete();
    bool Up();
    bool Down();

private:
    bool Contains(std::string_view entry) const;
    std::vector<std::string> entries_;
    int selected_ = -1;
};

}  // namespace orvane
