#include "outline_format.h"

namespace nuvella {

std::string escapeLabel(std::string_view label) {
    std::string out;
    out.reserve(label.size());
    for (const char c : label) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '\a':
                out += "\\a";
                break;
            case '\b':
                out += "\\b";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\v':
                out += "\\v";
                break;
            case '\f':
                out += "\\f";
                break;
            case '\r':
                out += "\\r";
                break;
            default:
                if (byte < 0x20 || byte == 0x7F) {
                    // Three octal digits: unlike \x, the escape cannot swallow a following
                    // character.
                    out += '\\';
                    out += static_cast<char>('0' + (byte >> 6));
                    out += static_cast<char>('0' + ((byte >> 3) & 7));
                    out += static_cast<char>('0' + (byte & 7));
                } else {
                    out += c;
                }
        }
    }
    return out;
}

std::string formatOutlineEntry(const RecordedEntry& entry) {
    const char* kind = entry.kind == OutlineKind::File      ? "file"
                       : entry.kind == OutlineKind::Section ? "section"
                                                            : "article";
    return std::to_string(entry.depth) + " " + kind + " " + escapeLabel(entry.label);
}

}  // namespace nuvella
