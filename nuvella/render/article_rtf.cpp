#include "article_rtf.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string>
#include <string_view>

namespace nuvella {
namespace {

constexpr std::string_view kHeaderStart =
    "{\\rtf1\\pc{\\colortbl;\\red0\\green0\\blue0\\red128\\green0\\blue0;\\red0\\green0\\blue128;}"
    "\\fs";
constexpr std::string_view kHeaderEnd = " {\\fonttbl{\\f1\\froman Times New Roman;}}";
constexpr std::string_view kTitleOpening = "{\\f1\\fs";
constexpr std::string_view kFirstTitleColour = "\\cf1\\qc ";
constexpr std::string_view kLaterTitleColour = "\\cf2\\qc ";
constexpr std::string_view kBoldItalicOpening = "{\\i\\b\\cf2       ";
constexpr std::string_view kParagraphEnd = "\\par ";
constexpr std::string_view kTitleClosing = "\\cf0 \\ql\\fs";
constexpr std::string_view kBoldItalicMarker = " ____";

// Code page 1252 bytes 0x80..0x9F as Unicode; 0xA0..0xFF equal their code points.
constexpr std::array<unsigned short, 32> kWindows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// Copied byte for byte: not a line feed, an RTF special character or a letter outside ASCII.
bool isPlain(char c) {
    return c != '\n' && c != '\\' && c != '{' && c != '}' && static_cast<unsigned char>(c) < 0x80;
}

void appendNumber(std::string& out, int value) {
    char digits[16];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    out.append(digits, result.ptr);
}

// Article text is shown as itself: RTF's own characters are escaped, and a letter outside
// ASCII is written as the Unicode character its ANSI byte stands for, because the header's
// code page and the pane's OEM font would otherwise show a different letter.
void appendTextCharacter(std::string& out, char c) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\\' || c == '{' || c == '}') {
        out += '\\';
        out += c;
    } else if (byte >= 0x80) {
        const int code = byte < 0xA0 ? kWindows1252High[byte - 0x80u] : byte;
        out += "\\u";
        appendNumber(out, code);
        out += '?';
    } else {
        out += c;
    }
}

}  // namespace

void BuildArticleRtf(ArticleStream& stream, const IssueLine* start, int baseFontSize) {
    std::string& out = stream.data;
    out.clear();
    out.reserve(kArticleCapacity);
    stream.position = 0;

    out += kHeaderStart;
    appendNumber(out, 2 * baseFontSize);
    out += kHeaderEnd;

    const IssueLine* line = start;
    // An entry that starts on a rule line ("=--") shows the rule lines below it as text.
    bool openedOnRule = false;
    if (line != nullptr && line->text().starts_with("=--")) {
        openedOnRule = true;
        line = line->next();
    }
    bool firstTitle = true;
    for (; line != nullptr && out.size() < kArticleLimit; line = line->next()) {
        const std::string_view text = line->text();
        if (text.starts_with("....")) {
            continue;
        }
        if (text.starts_with("==")) {
            break;
        }
        if (text.starts_with("=-") &&
            (!openedOnRule || text.find_first_of("(<[") != std::string_view::npos)) {
            break;
        }
        const bool title = text.starts_with(" :: ");
        std::string_view rest = text;
        if (title) {
            out += kTitleOpening;
            appendNumber(out, 3 * baseFontSize);
            out += ' ';
            out += firstTitle ? kFirstTitleColour : kLaterTitleColour;
            firstTitle = false;
            rest.remove_prefix(4);  // a quoted title keeps its quotes
        }
        int groups = 0;
        std::size_t i = 0;
        while (i < rest.size() && rest[i] != '\n' && out.size() < kArticleLimit) {
            // Characters that stand as they are go over in one run, as far as the limit allows.
            const std::size_t stop = std::min(rest.size(), i + (kArticleLimit - out.size()));
            std::size_t run = i;
            while (run < stop && isPlain(rest[run]) &&
                   !(rest[run] == ' ' &&
                     rest.compare(run, kBoldItalicMarker.size(), kBoldItalicMarker) == 0)) {
                ++run;
            }
            if (run > i) {
                out.append(rest.data() + i, run - i);
                i = run;
                continue;
            }
            if (rest.compare(i, kBoldItalicMarker.size(), kBoldItalicMarker) == 0) {
                out += kBoldItalicOpening;
                ++groups;
                i += kBoldItalicMarker.size();
                // A fifth underscore belongs to the marker; any other character is text.
                if (i < rest.size() && rest[i] == '_') {
                    ++i;
                }
                continue;
            }
            appendTextCharacter(out, rest[i]);
            ++i;
        }
        out += kParagraphEnd;
        out.append(static_cast<std::size_t>(groups), '}');
        if (title) {
            out += kTitleClosing;
            appendNumber(out, 2 * baseFontSize);
            out += '}';
        }
    }
    out += '}';
    out.shrink_to_fit();
}

}  // namespace nuvella
