#include "outline_format.h"

namespace nuvella {

std::string escapeLabel(std::string_view label) {
    std::string out;
    out.reserve(label.size());
    appendEscapedLabel(out, label);
    return out;
}

void appendEscapedLabel(std::string& out, std::string_view label) {
    // Most labels need no escape at all: append those whole.
    auto plain = [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte >= 0x20 && byte != 0x7F && c != '\\';
    };
    std::size_t clean = 0;
    while (clean < label.size() && plain(label[clean])) {
        ++clean;
    }
    out.append(label.substr(0, clean));
    for (const char c : label.substr(clean)) {
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
}

void appendOutlineLine(std::string& out, int depth, OutlineKind kind, std::string_view label) {
    const std::string_view word = kind == OutlineKind::File      ? " file "
                                  : kind == OutlineKind::Section ? " section "
                                                                 : " article ";
    if (depth >= 0 && depth <= 9) {
        out += static_cast<char>('0' + depth);
    } else {
        out += std::to_string(depth);
    }
    out += word;
    appendEscapedLabel(out, label);
    out += '\n';
}

std::string formatOutlineEntry(const RecordedEntry& entry) {
    std::string out;
    appendOutlineLine(out, entry.depth, entry.kind, entry.label);
    out.pop_back();
    return out;
}

}  // namespace nuvella
