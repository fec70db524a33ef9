#include "outline_format.h"

#include <algorithm>
#include <charconv>

namespace nuvella {
namespace {

// The escape of a control character or backslash, or nothing for a byte written as it is.
const char* namedEscape(char c) {
    switch (c) {
        case '\\':
            return "\\\\";
        case '\a':
            return "\\a";
        case '\b':
            return "\\b";
        case '\t':
            return "\\t";
        case '\n':
            return "\\n";
        case '\v':
            return "\\v";
        case '\f':
            return "\\f";
        case '\r':
            return "\\r";
        default:
            return nullptr;
    }
}

char* writeEscapedLabel(char* out, std::string_view label) {
    for (const char c : label) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte != 0x7F && c != '\\') {
            *out++ = c;
        } else if (const char* named = namedEscape(c)) {
            *out++ = named[0];
            *out++ = named[1];
        } else {
            // Three octal digits: unlike \x, the escape cannot swallow a following character.
            *out++ = '\\';
            *out++ = static_cast<char>('0' + (byte >> 6));
            *out++ = static_cast<char>('0' + ((byte >> 3) & 7));
            *out++ = static_cast<char>('0' + (byte & 7));
        }
    }
    return out;
}

// Appends what `write` writes into at most `room` bytes.
template <class Write>
void appendWritten(std::string& out, std::size_t room, Write write) {
    const std::size_t at = out.size();
    out.resize(at + room);
    out.resize(static_cast<std::size_t>(write(out.data() + at) - out.data()));
}

}  // namespace

std::string escapeLabel(std::string_view label) {
    std::string out;
    appendEscapedLabel(out, label);
    return out;
}

void appendEscapedLabel(std::string& out, std::string_view label) {
    appendWritten(out, 4 * label.size(), [&](char* at) { return writeEscapedLabel(at, label); });
}

char* writeOutlineLine(char* out, int depth, OutlineKind kind, std::string_view label) {
    const std::string_view word = kind == OutlineKind::File      ? " file "
                                  : kind == OutlineKind::Section ? " section "
                                                                 : " article ";
    out = std::to_chars(out, out + 12, depth).ptr;
    out = std::copy(word.begin(), word.end(), out);
    out = writeEscapedLabel(out, label);
    *out++ = '\n';
    return out;
}

void appendOutlineLine(std::string& out, int depth, OutlineKind kind, std::string_view label) {
    appendWritten(out, outlineLineRoom(label.size()),
                  [&](char* at) { return writeOutlineLine(at, depth, kind, label); });
}

std::string formatOutlineEntry(const RecordedEntry& entry) {
    std::string out;
    appendOutlineLine(out, entry.depth, entry.kind, entry.label);
    out.pop_back();
    return out;
}

}  // namespace nuvella
