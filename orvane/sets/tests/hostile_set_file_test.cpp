// Set files found by fuzzing the reader, each named after the fault: whatever the
// reader accepts whole, the writer must store so that it reads back the same.
#include <gtest/gtest.h>

#include <string>

#include "set_file_format.h"
#include "test_entries.h"

namespace orvane {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A resource around an object stream that starts with a flags byte (as streams
// written elsewhere may) and a class name of `classLength` characters.
Bytes ForeignStream(std::uint8_t flags, std::size_t classLength) {
    std::string object = "TPF0";
    object += static_cast<char>(flags);
    object += static_cast<char>(classLength);
    object += std::string(classLength, 'C');
    object += "\x08SongList";
    object += std::string(2, '\0');  // no properties, no children
    std::string file = "\xFF\x0A";
    file += std::string(1, '\0') + "TLISTVIEW" + std::string(1, '\0') + "\x30\x10";
    for (int i = 0; i < 4; ++i) file += static_cast<char>((object.size() >> (8 * i)) & 0xFF);
    file += object;
    return Bytes(file.begin(), file.end());
}

struct HostileSetCase {
    const char* name;
    Bytes bytes;
};

TEST(HostileSetFile, WhatIsReadWholeIsWrittenSoItReadsBackTheSame) {
    TSetFileImage longClass = DefaultSongListImage({});
    longClass.className = std::string(255, 'L');
    longClass.entries = MakeEntries(2);
    const HostileSetCase cases[] = {
        {"class-name-length-like-a-flags-byte", ForeignStream(0xF1, 0xF0)},
        {"class-name-of-255-after-flags", ForeignStream(0xF0, 255)},
        {"class-name-of-239", ForeignStream(0xF0, 239)},
        {"own-file-with-a-255-character-class-name", WriteSetFile(longClass)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const TSetFileReadResult first = ReadSetFile(c.bytes);
        ASSERT_TRUE(first.ok()) << first.error;
        const TSetFileReadResult again = ReadSetFile(WriteSetFile(first.image));
        ASSERT_TRUE(again.ok()) << again.error;
        EXPECT_EQ(again.image, first.image);
    }
}

TEST(HostileSetFile, ShortClassNamesAreWrittenWithoutAFlagsByte) {
    const Bytes file = WriteSetFile(DefaultSongListImage({}));
    const std::string text(file.begin(), file.end());
    EXPECT_NE(text.find(std::string("TPF0\x09TListView")), std::string::npos);
}

}  // namespace
}  // namespace orvane
