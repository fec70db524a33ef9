#include "genre_list.h"
#include "tag_record.h"

#include <gtest/gtest.h>

#include <cstring>

namespace orvane {
namespace {

TTagBytes Blank()
{
    TTagBytes bytes{};
    std::memcpy(bytes.data(), "TAG", 3);
    return bytes;
}

void Put(TTagBytes& bytes, std::size_t at, std::string_view text)
{
    std::memcpy(bytes.data() + at, text.data(), text.size());
}

TEST(DecodeTag, NeedsTheMarker)
{
    TTagBytes bytes = Blank();
    bytes[2] = 'X';
    EXPECT_FALSE(DecodeTag(bytes));
    EXPECT_FALSE(DecodeTag(TTagBytes{}));
}

TEST(DecodeTag, TrimsBlanksAndControlCharactersOnly)
{
    TTagBytes bytes = Blank();
    Put(bytes, 3, "Abba");                           // then 26 zero bytes
    std::memset(bytes.data() + 33, ' ', 30);          // all spaces
    Put(bytes, 63, "\x01\t Greatest  Hits \x1f");    // inner spaces stay
    Put(bytes, 93, "1979");
    Put(bytes, 97, "\xE9t\xE9");                    // codes above 127 are text
    bytes[127] = 17;
    const auto record = DecodeTag(bytes);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->title, "Abba");
    EXPECT_EQ(record->artist, "");
    EXPECT_EQ(record->album, "Greatest  Hits");
    EXPECT_EQ(record->year, "1979");
    EXPECT_EQ(record->comment, "\xE9t\xE9");
    EXPECT_EQ(record->genre, 17);
}

TEST(EncodeTag, FieldsNeverSpillIntoTheNext)
{
    TTagRecord record;
    record.title = std::string(31, 'T');
    record.artist = "Artist";
    record.year = "199999";
    record.comment = std::string(30, 'C');
    record.genre = 42;
    const TTagBytes bytes = EncodeTag(record);
    const auto back = DecodeTag(bytes);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->title, std::string(30, 'T'));
    EXPECT_EQ(back->artist, "Artist");
    EXPECT_EQ(back->year, "1999");
    EXPECT_EQ(back->comment, std::string(30, 'C'));  // a 30-character comment is kept whole
    EXPECT_EQ(back->genre, 42);                     // and the genre byte survives it
    EXPECT_EQ(bytes[33 + 6], 0);                    // zero padding after the text
}

TEST(EncodeTag, RoundTripIsByteExact)
{
    TTagBytes bytes = Blank();
    Put(bytes, 3, "Title");
    Put(bytes, 33, "Artist");
    Put(bytes, 63, "Album");
    Put(bytes, 93, "2001");
    Put(bytes, 97, "Comment text");
    bytes[127] = kNoGenre;
    const auto record = DecodeTag(bytes);
    ASSERT_TRUE(record);
    EXPECT_EQ(EncodeTag(*record), bytes);
}

TEST(GenreList, IndexesAndNames)
{
    EXPECT_EQ(kGenreNames.size(), 43u);
    EXPECT_EQ(GenreName(0), "Blues");
    EXPECT_EQ(GenreName(14), "R&B");
    EXPECT_EQ(GenreName(42), "Soul");
    EXPECT_EQ(GenreName(43), "");
    EXPECT_EQ(GenreName(255), "");
    EXPECT_EQ(GenreSelection(42), 42);
    EXPECT_EQ(GenreSelection(43), -1);
    EXPECT_EQ(GenreSelection(-1), -1);
}

}  // namespace
}  // namespace orvane
