#include "stream_values.h"

#include "byte_writer.h"

namespace orvane {

namespace {

constexpr int kMaxDepth = 32;

TStreamValue Finish(ByteWriter& w) { return std::move(w.bytes()); }

// Properties of one object or collection item: names until an empty one.
bool SkipProperties(ByteReader& r, int depth) {
    while (r.ok()) {
        const std::size_t nameLength = r.U8();
        if (!r.ok()) return false;
        if (nameLength == 0) return true;
        r.Skip(nameLength);
        if (!SkipStreamValue(r, depth + 1)) return false;
    }
    return false;
}

}  // namespace

TStreamValue IntegerValue(std::int32_t value) {
    ByteWriter w;
    if (value >= -128 && value <= 127) {
        w.U8(static_cast<std::uint8_t>(TStreamValueType::Int8));
        w.U8(static_cast<std::uint8_t>(static_cast<std::int8_t>(value)));
    } else if (value >= -32768 && value <= 32767) {
        w.U8(static_cast<std::uint8_t>(TStreamValueType::Int16));
        w.U16(static_cast<std::uint16_t>(static_cast<std::int16_t>(value)));
    } else {
        w.U8(static_cast<std::uint8_t>(TStreamValueType::Int32));
        w.I32(value);
    }
    return Finish(w);
}

TStreamValue StringValue(std::string_view text) {
    ByteWriter w;
    w.U8(static_cast<std::uint8_t>(TStreamValueType::String));
    w.ShortString(text.substr(0, 255));
    return Finish(w);
}

TStreamValue IdentValue(std::string_view ident) {
    ByteWriter w;
    w.U8(static_cast<std::uint8_t>(TStreamValueType::Ident));
    w.ShortString(ident.substr(0, 255));
    return Finish(w);
}

TStreamValue BoolValue(bool value) {
    return {static_cast<std::uint8_t>(value ? TStreamValueType::True : TStreamValueType::False)};
}

TStreamValue CollectionValue(const std::vector<TStreamItem>& items) {
    ByteWriter w;
    w.U8(static_cast<std::uint8_t>(TStreamValueType::Collection));
    for (const auto& item : items) {
        w.U8(static_cast<std::uint8_t>(TStreamValueType::List));
        for (const auto& [name, value] : item) {
            w.ShortString(std::string_view(name).substr(0, 255));
            w.Bytes(value);
        }
        w.U8(0);  // end of the item's properties
    }
    w.U8(0);  // end of the collection
    return Finish(w);
}

bool SkipStreamValue(ByteReader& r, int depth) {
    if (depth > kMaxDepth) return false;
    const auto type = static_cast<TStreamValueType>(r.U8());
    if (!r.ok()) return false;
    switch (type) {
        case TStreamValueType::Null:
        case TStreamValueType::False:
        case TStreamValueType::True:
        case TStreamValueType::Nil:
            break;
        case TStreamValueType::Int8: r.Skip(1); break;
        case TStreamValueType::Int16: r.Skip(2); break;
        case TStreamValueType::Int32:
        case TStreamValueType::Single: r.Skip(4); break;
        case TStreamValueType::Currency:
        case TStreamValueType::Date:
        case TStreamValueType::Int64: r.Skip(8); break;
        case TStreamValueType::Extended: r.Skip(10); break;
        case TStreamValueType::String:
        case TStreamValueType::Ident: r.Skip(r.U8()); break;
        case TStreamValueType::Binary:
        case TStreamValueType::LString:
        case TStreamValueType::Utf8String: r.Skip(r.U32()); break;
        case TStreamValueType::WString: {
            const std::uint64_t chars = r.U32();
            if (chars * 2 > r.remaining()) return false;
            r.Skip(static_cast<std::size_t>(chars * 2));
            break;
        }
        case TStreamValueType::List:
            while (r.ok() && r.Peek() != 0) {
                if (r.AtEnd() || !SkipStreamValue(r, depth + 1)) return false;
            }
            r.Skip(1);
            break;
        case TStreamValueType::Set:
            // Element names until an empty one.
            for (std::size_t length = r.U8(); r.ok() && length != 0; length = r.U8()) r.Skip(length);
            break;
        case TStreamValueType::Collection:
            while (r.ok() && r.Peek() != 0) {
                if (r.AtEnd()) return false;
                const auto next = static_cast<TStreamValueType>(r.Peek());
                // An item may carry its index before its property list.
                if (next == TStreamValueType::Int8 || next == TStreamValueType::Int16 ||
                    next == TStreamValueType::Int32) {
                    if (!SkipStreamValue(r, depth + 1)) return false;
                }
                if (static_cast<TStreamValueType>(r.U8()) != TStreamValueType::List) return false;
                if (!SkipProperties(r, depth + 1)) return false;
            }
            r.Skip(1);
            break;
        default:
            return false;
    }
    return r.ok();
}

bool ReadIntegerValue(const TStreamValue& value, std::int32_t& result) {
    ByteReader r(value);
    const auto type = static_cast<TStreamValueType>(r.U8());
    if (type == TStreamValueType::Int8) result = static_cast<std::int8_t>(r.U8());
    else if (type == TStreamValueType::Int16) result = static_cast<std::int16_t>(r.U16());
    else if (type == TStreamValueType::Int32) result = r.I32();
    else return false;
    return r.ok();
}

}  // namespace orvane
