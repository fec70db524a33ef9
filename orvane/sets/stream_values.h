// Values of the list control's object stream: the type codes, builders for the values
// this program writes, and a walker that finds where any stored value ends.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "byte_reader.h"

namespace orvane {

enum class TStreamValueType : std::uint8_t {
    Null = 0, List = 1, Int8 = 2, Int16 = 3, Int32 = 4, Extended = 5, String = 6, Ident = 7,
    False = 8, True = 9, Binary = 10, Set = 11, LString = 12, Nil = 13, Collection = 14,
    Single = 15, Currency = 16, Date = 17, WString = 18, Int64 = 19, Utf8String = 20,
};

using TStreamValue = std::vector<std::uint8_t>;  // type byte and payload, as stored

// The smallest integer form that holds the value, as the control's writer chooses.
TStreamValue IntegerValue(std::int32_t value);
TStreamValue StringValue(std::string_view text);  // cut to 255 characters
TStreamValue IdentValue(std::string_view ident);
TStreamValue BoolValue(bool value);
// A collection of items, each a list of (name, value) properties.
using TStreamItem = std::vector<std::pair<std::string, TStreamValue>>;
TStreamValue CollectionValue(const std::vector<TStreamItem>& items);

// Moves past one value (type byte included). False when the value is damaged or runs
// past the data; nesting deeper than a sane limit counts as damaged.
bool SkipStreamValue(ByteReader& reader, int depth = 0);

// Reads an integer value (Int8/16/32); false for any other type.
bool ReadIntegerValue(const TStreamValue& value, std::int32_t& result);

}  // namespace orvane
