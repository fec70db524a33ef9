// The command line of nuvella-outline.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace nuvella {

struct OutlineOptions {
    std::vector<std::string> files;
    std::optional<long> rtfEntry;  // print this entry's RTF document instead of the outline
    int fontSize = 9;              // the base text size in points, as the reader starts with
    bool utf8 = false;             // labels in UTF-8 instead of the ANSI code page
    bool help = false;
};

struct ParsedOptions {
    OutlineOptions options;
    std::string error;  // empty when the command line is good
};

ParsedOptions parseOutlineOptions(const std::vector<std::string>& args);

inline constexpr const char* kOutlineUsage =
    "usage: nuvella-outline [--utf8 | --rtf N [--font-size P]] FILE...\n"
    "\n"
    "Loads each Nuvella issue (its first line must carry \"Start.Of\") and prints its outline,\n"
    "one entry per line in tree order: depth (0 file, 1 or 2 below), kind (file, section,\n"
    "article) and the label, with control characters written as C escapes.\n"
    "\n"
    "  --utf8           print the labels in UTF-8 (by default in the ANSI code page, as the\n"
    "                   reader shows them)\n"
    "  --rtf N          print instead the RTF document of the N-th printed entry (from 0),\n"
    "                   byte for byte as the reader streams it into its text pane\n"
    "  --font-size P    base text size in points for --rtf (1 to 999, default 9)\n"
    "  --help           show this text\n"
    "\n"
    "An issue that is valid UTF-8 with at least one letter beyond ASCII (or that begins with\n"
    "the UTF-8 byte-order mark) is read as UTF-8; any other as text in the OEM code page.\n"
    "Files without the marker are reported and skipped. Exit status: 0 when every file was\n"
    "loaded, 1 when a file was skipped or entry N does not exist, 2 for a bad command line.\n";

}  // namespace nuvella
