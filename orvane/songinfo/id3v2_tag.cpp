#include "id3v2_tag.h"

#include "genre_list.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>

namespace orvane {
namespace {

enum TField { kTitle, kArtist, kAlbum, kYear, kGenre, kComment, kFieldCount };

// The frame of each field in versions 2.2, 2.3 and 2.4 (2.4 keeps the year in TDRC).
constexpr std::array<std::array<const char*, kFieldCount>, 3> kFrameIds = {{
    {"TT2", "TP1", "TAL", "TYE", "TCO", "COM"},
    {"TIT2", "TPE1", "TALB", "TYER", "TCON", "COMM"},
    {"TIT2", "TPE1", "TALB", "TDRC", "TCON", "COMM"},
}};

std::uint32_t BigEndian(const std::uint8_t* p, int count, int bitsPerByte) {
    std::uint32_t value = 0;
    for (int i = 0; i < count; ++i)
        value = (value << bitsPerByte) | (p[i] & ((1u << bitsPerByte) - 1));
    return value;
}

std::vector<std::uint8_t> Resynchronise(std::span<const std::uint8_t> bytes) {
    // Unsynchronisation put a zero after every 0xFF that could look like a frame sync.
    std::vector<std::uint8_t> out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        out.push_back(bytes[i]);
        if (bytes[i] == 0xFF && i + 1 < bytes.size() && bytes[i + 1] == 0)
            ++i;
    }
    return out;
}

void AppendUtf16(std::u16string& out, char32_t c) {
    if (c >= 0x10000) {
        c -= 0x10000;
        out += static_cast<char16_t>(0xD800 + (c >> 10));
        out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
    } else {
        out += static_cast<char16_t>(c);
    }
}

std::u16string FromUtf8(std::span<const std::uint8_t> text) {
    std::u16string out;
    for (std::size_t i = 0; i < text.size();) {
        const std::uint8_t c = text[i];
        const std::size_t length = c < 0x80 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 0;
        if (length == 0 || i + length > text.size()) {
            out += u'\xFFFD';
            ++i;
            continue;
        }
        char32_t code = length == 1 ? c : c & (0x7Fu >> length);
        bool ok = true;
        for (std::size_t k = 1; k < length; ++k) {
            ok = ok && (text[i + k] & 0xC0) == 0x80;
            code = (code << 6) | (text[i + k] & 0x3Fu);
        }
        AppendUtf16(out, ok && code <= 0x10FFFF ? code : 0xFFFD);
        i += ok ? length : 1;
    }
    return out;
}

// Where a text in `encoding` ends: at its terminator (one zero, or two on a UTF-16 boundary).
std::size_t TextEnd(std::span<const std::uint8_t> text, std::uint8_t encoding) {
    if (encoding == 1 || encoding == 2) {
        for (std::size_t i = 0; i + 1 < text.size(); i += 2)
            if (text[i] == 0 && text[i + 1] == 0)
                return i;
        return text.size() & ~std::size_t{1};
    }
    const auto zero = std::find(text.begin(), text.end(), std::uint8_t{0});
    return static_cast<std::size_t>(zero - text.begin());
}

std::size_t TerminatorSize(std::uint8_t encoding) {
    return encoding == 1 || encoding == 2 ? 2 : 1;
}

std::u16string DecodeText(std::span<const std::uint8_t> text, std::uint8_t encoding) {
    text = text.first(TextEnd(text, encoding));
    std::u16string out;
    if (encoding == 3)
        return FromUtf8(text);
    if (encoding == 0) {
        for (const std::uint8_t c : text) out += static_cast<char16_t>(c);
        return out;
    }
    bool bigEndian = encoding == 2;
    std::size_t i = 0;
    if (encoding == 1 && text.size() >= 2) {
        if (text[0] == 0xFE && text[1] == 0xFF)
            bigEndian = true, i = 2;
        else if (text[0] == 0xFF && text[1] == 0xFE)
            i = 2;
    }
    for (; i + 1 < text.size(); i += 2) {
        out += static_cast<char16_t>(bigEndian ? text[i] << 8 | text[i + 1]
                                               : text[i + 1] << 8 | text[i]);
    }
    return out;
}

int VersionIndex(int version) {
    return version - 2;
}

// The text value of a frame's data, or the comment of a COMM frame with an empty description.
std::optional<std::u16string> FrameText(std::span<const std::uint8_t> data, bool comment) {
    if (data.empty() || data[0] > 3)
        return std::nullopt;
    const std::uint8_t encoding = data[0];
    data = data.subspan(1);
    if (!comment)
        return DecodeText(data, encoding);
    if (data.size() < 3)
        return std::nullopt;
    data = data.subspan(3);  // the language
    const std::size_t description = TextEnd(data, encoding);
    if (description != 0 || data.size() < TerminatorSize(encoding))
        return std::nullopt;
    return DecodeText(data.subspan(TerminatorSize(encoding)), encoding);
}

struct TFrameHeader {
    std::string id;
    std::size_t headerSize = 0;
    std::size_t dataSize = 0;
    bool readable = true;  // neither compressed nor encrypted
    std::size_t skip = 0;  // group byte and data length field before the data
    bool unsynchronised = false;
};

std::optional<TFrameHeader> FrameHeaderAt(std::span<const std::uint8_t> body, std::size_t at,
                                          int version) {
    TFrameHeader h;
    const std::size_t idSize = version == 2 ? 3 : 4;
    h.headerSize = version == 2 ? 6 : 10;
    if (at + h.headerSize > body.size() || body[at] == 0)
        return std::nullopt;  // padding
    h.id.assign(reinterpret_cast<const char*>(body.data() + at), idSize);
    for (const char c : h.id)
        if (!((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')))
            return std::nullopt;
    const std::uint8_t* p = body.data() + at + idSize;
    h.dataSize = version == 2 ? BigEndian(p, 3, 8) : BigEndian(p, 4, version == 4 ? 7 : 8);
    if (h.dataSize > body.size() - at - h.headerSize)
        return std::nullopt;
    if (version == 3) {
        const std::uint8_t format = body[at + 9];
        h.readable = (format & 0xC0) == 0;
        h.skip = (format & 0x20) ? 1 : 0;
    } else if (version == 4) {
        const std::uint8_t format = body[at + 9];
        h.readable = (format & 0x0C) == 0;
        h.skip = ((format & 0x40) ? 1 : 0) + ((format & 0x01) ? 4 : 0);
        h.unsynchronised = (format & 0x02) != 0;
    }
    if (h.skip > h.dataSize)
        h.readable = false;
    return h;
}

std::string TagValue(const std::u16string& text, TTagTextCodec& codec) {
    return TrimTagText(codec.ToAnsi(text));
}

// The text field of a record (const or not); null for the genre, which is a byte.
template <class Record>
auto FieldOf(Record& record, int field) -> decltype(&record.title) {
    switch (field) {
        case kTitle:
            return &record.title;
        case kArtist:
            return &record.artist;
        case kAlbum:
            return &record.album;
        case kYear:
            return &record.year;
        case kComment:
            return &record.comment;
        default:
            return nullptr;
    }
}

// Push_back one by one: GCC 12 warns wrongly about inserting an initializer list.
void Push(std::vector<std::uint8_t>& out, std::initializer_list<std::uint32_t> bytes) {
    for (const std::uint32_t b : bytes) out.push_back(static_cast<std::uint8_t>(b));
}

void AppendBigEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int count,
                     int bitsPerByte) {
    for (int i = count - 1; i >= 0; --i)
        out.push_back(
            static_cast<std::uint8_t>((value >> (i * bitsPerByte)) & ((1u << bitsPerByte) - 1)));
}

// A frame's data for `text`: ISO-8859-1 when every character fits, else UTF-16 with a byte-order
// mark (UTF-8 in 2.4).
std::vector<std::uint8_t> FrameData(const std::string& text, bool comment, int version,
                                    TTagTextCodec& codec) {
    const std::u16string wide = codec.FromAnsi(text);
    const bool latin1 = std::all_of(wide.begin(), wide.end(), [](char16_t c) { return c <= 0xFF; });
    std::vector<std::uint8_t> data;
    const std::uint8_t encoding = latin1 ? 0 : version == 4 ? 3 : 1;
    data.push_back(encoding);
    if (comment)
        Push(data, {'e', 'n', 'g'});
    auto append = [&](const std::u16string& value) {
        if (encoding == 0) {
            for (const char16_t c : value) data.push_back(static_cast<std::uint8_t>(c));
        } else if (encoding == 1) {
            Push(data, {0xFF, 0xFE});
            for (const char16_t c : value) {
                data.push_back(static_cast<std::uint8_t>(c & 0xFF));
                data.push_back(static_cast<std::uint8_t>(c >> 8));
            }
        } else {
            for (std::size_t i = 0; i < value.size(); ++i) {
                char32_t c = value[i];
                if (c >= 0xD800 && c < 0xDC00 && i + 1 < value.size())
                    c = 0x10000 + ((c - 0xD800) << 10) + (value[++i] - 0xDC00);
                if (c < 0x80) {
                    data.push_back(static_cast<std::uint8_t>(c));
                } else if (c < 0x800) {
                    Push(data, {0xC0 | (c >> 6), 0x80 | (c & 0x3F)});
                } else if (c < 0x10000) {
                    Push(data, {0xE0 | (c >> 12), 0x80 | ((c >> 6) & 0x3F), 0x80 | (c & 0x3F)});
                } else {
                    Push(data, {0xF0 | (c >> 18), 0x80 | ((c >> 12) & 0x3F),
                                0x80 | ((c >> 6) & 0x3F), 0x80 | (c & 0x3F)});
                }
            }
        }
    };
    if (comment) {
        append(u"");  // the empty description and its terminator
        data.insert(data.end(), TerminatorSize(encoding), 0);
    }
    append(wide);
    return data;
}

std::vector<std::uint8_t> Frame(const std::string& id, const std::vector<std::uint8_t>& data,
                                int version) {
    std::vector<std::uint8_t> frame(id.begin(), id.end());
    const auto size = static_cast<std::uint32_t>(data.size());
    if (version == 2) {
        AppendBigEndian(frame, size, 3, 8);
    } else {
        AppendBigEndian(frame, size, 4, version == 4 ? 7 : 8);
        Push(frame, {0, 0});
    }
    frame.insert(frame.end(), data.begin(), data.end());
    return frame;
}

}  // namespace

std::uint8_t GenreFromText(std::string_view text) {
    std::string_view number = text;
    if (number.size() >= 3 && number.front() == '(' && number.find(')') != std::string_view::npos) {
        number = number.substr(1, number.find(')') - 1);
    }
    if (!number.empty() && number.size() <= 3 &&
        std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        int value = 0;
        for (const char c : number) value = value * 10 + (c - '0');
        return GenreSelection(value) >= 0 ? static_cast<std::uint8_t>(value) : kNoGenre;
    }
    for (std::size_t i = 0; i < kGenreNames.size(); ++i) {
        const std::string_view name = kGenreNames[i];
        if (name.size() == text.size() &&
            std::equal(name.begin(), name.end(), text.begin(), [](char a, char b) {
                return std::tolower(static_cast<unsigned char>(a)) ==
                       std::tolower(static_cast<unsigned char>(b));
            })) {
            return static_cast<std::uint8_t>(i);
        }
    }
    return kNoGenre;
}

std::optional<TId3v2Tag> ParseId3v2Tag(std::span<const std::uint8_t> bytes, TTagTextCodec& codec) {
    if (bytes.size() < 10 || std::memcmp(bytes.data(), "ID3", 3) != 0)
        return std::nullopt;
    TId3v2Tag tag;
    tag.version = bytes[3];
    if (tag.version < 2 || tag.version > 4 || bytes[4] == 0xFF)
        return std::nullopt;
    for (int i = 6; i < 10; ++i)
        if (bytes[static_cast<std::size_t>(i)] & 0x80)
            return std::nullopt;
    const std::uint8_t flags = bytes[5];
    const std::size_t size = BigEndian(bytes.data() + 6, 4, 7);
    const bool footer = tag.version == 4 && (flags & 0x10) != 0;
    tag.tagLength = 10 + size + (footer ? 10 : 0);
    if (bytes.size() < 10 + size)
        return std::nullopt;
    // 2.2's compression flag has no defined scheme: such a tag is passed over, as its readers do.
    if (tag.version == 2 && (flags & 0x40) != 0)
        return tag;
    std::span<const std::uint8_t> raw = bytes.subspan(10, size);
    tag.body = tag.version < 4 && (flags & 0x80)
                   ? Resynchronise(raw)
                   : std::vector<std::uint8_t>(raw.begin(), raw.end());
    if (tag.version > 2 && (flags & 0x40) != 0 && tag.body.size() >= 4) {
        // The extended header: 2.3 counts its size without the size field, 2.4 with it.
        const std::size_t extended = tag.version == 3 ? 4 + BigEndian(tag.body.data(), 4, 8)
                                                      : BigEndian(tag.body.data(), 4, 7);
        tag.body.erase(tag.body.begin(), tag.body.begin() + static_cast<std::ptrdiff_t>(std::min(
                                                                extended, tag.body.size())));
    }
    const auto& ids = kFrameIds[static_cast<std::size_t>(VersionIndex(tag.version))];
    std::array<bool, kFieldCount> found{};
    std::size_t at = 0;
    while (const auto header = FrameHeaderAt(tag.body, at, tag.version)) {
        tag.frames.push_back({header->id, at, header->headerSize + header->dataSize});
        const bool yearFromTyer = tag.version == 4 && header->id == "TYER";
        for (int field = 0; field < kFieldCount && header->readable; ++field) {
            const auto slot = static_cast<std::size_t>(field);
            if (found[slot] || (header->id != ids[slot] && !(field == kYear && yearFromTyer)))
                continue;
            std::span<const std::uint8_t> data(
                tag.body.data() + at + header->headerSize + header->skip,
                header->dataSize - header->skip);
            std::vector<std::uint8_t> plain;
            if (header->unsynchronised) {
                plain = Resynchronise(data);
                data = plain;
            }
            const auto text = FrameText(data, field == kComment);
            if (!text)
                continue;
            found[slot] = true;
            const std::string value = TagValue(*text, codec);
            if (field == kGenre) {
                tag.genreText = value;
                tag.values.genre = GenreFromText(value);
            } else if (field == kYear && tag.version == 4) {
                tag.values.year = value.substr(0, 4);  // TDRC is a timestamp: 2004-05-06T...
            } else {
                *FieldOf(tag.values, field) = value;
            }
        }
        at += header->headerSize + header->dataSize;
    }
    return tag;
}

std::vector<std::uint8_t> RenderId3v2Tag(const TId3v2Tag& tag, const TTagRecord& values,
                                         TTagTextCodec& codec, std::uint64_t minimumLength) {
    const auto& ids = kFrameIds[static_cast<std::size_t>(VersionIndex(tag.version))];
    // Each changed field: its new frame (empty when the value was cleared), placed where the
    // field's frame was or else at the end.
    std::array<std::optional<std::vector<std::uint8_t>>, kFieldCount> replacement;
    for (int field = 0; field < kFieldCount; ++field) {
        const auto slot = static_cast<std::size_t>(field);
        std::string text;
        if (field == kGenre) {
            if (values.genre == tag.values.genre)
                continue;
            text = std::string(GenreName(values.genre));
        } else {
            text = *FieldOf(values, field);
            if (text == *FieldOf(tag.values, field))
                continue;
        }
        replacement[slot] =
            text.empty() ? std::vector<std::uint8_t>()
                         : Frame(ids[slot], FrameData(text, field == kComment, tag.version, codec),
                                 tag.version);
    }
    std::vector<std::uint8_t> body;
    std::array<bool, kFieldCount> placed{};
    for (const TId3v2Frame& frame : tag.frames) {
        bool replaced = false;
        for (int field = 0; field < kFieldCount && !replaced; ++field) {
            const auto slot = static_cast<std::size_t>(field);
            const bool match =
                frame.id == ids[slot] || (field == kYear && tag.version == 4 && frame.id == "TYER");
            if (!replacement[slot] || !match || placed[slot])
                continue;
            // The frame the value was read from: readable, and for the comment the one with an
            // empty description.
            const auto header = FrameHeaderAt(tag.body, frame.at, tag.version);
            if (!header || !header->readable)
                continue;
            const auto data = std::span<const std::uint8_t>(tag.body).subspan(
                frame.at + header->headerSize + header->skip, header->dataSize - header->skip);
            const std::vector<std::uint8_t> plain =
                header->unsynchronised ? Resynchronise(data) : std::vector<std::uint8_t>();
            if (field == kComment && !FrameText(header->unsynchronised ? plain : data, true))
                continue;
            replaced = true;
            body.insert(body.end(), replacement[slot]->begin(), replacement[slot]->end());
            placed[slot] = true;
        }
        if (!replaced)
            body.insert(body.end(), tag.body.begin() + static_cast<std::ptrdiff_t>(frame.at),
                        tag.body.begin() + static_cast<std::ptrdiff_t>(frame.at + frame.length));
    }
    for (std::size_t slot = 0; slot < replacement.size(); ++slot) {
        if (replacement[slot] && !placed[slot])
            body.insert(body.end(), replacement[slot]->begin(), replacement[slot]->end());
    }
    // In place when it fits; otherwise room for later edits.
    const std::uint64_t padded =
        10 + body.size() <= minimumLength ? minimumLength : 10 + body.size() + 1024;
    std::vector<std::uint8_t> out = {'I', 'D', '3', static_cast<std::uint8_t>(tag.version), 0, 0};
    AppendBigEndian(out, static_cast<std::uint32_t>(padded - 10), 4, 7);
    out.insert(out.end(), body.begin(), body.end());
    out.resize(static_cast<std::size_t>(padded), 0);
    return out;
}

}  // namespace orvane
