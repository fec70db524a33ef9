#include <gtest/gtest.h>

#include "byte_reader.h"
#include "items_block.h"
#include "set_file_format.h"
#include "test_entries.h"

namespace orvane {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Le32(std::uint32_t v) {
    return {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
            static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 24)};
}
void Append(Bytes& out, const Bytes& more) { out.insert(out.end(), more.begin(), more.end()); }
void AppendShort(Bytes& out, const std::string& text) {
    out.push_back(static_cast<std::uint8_t>(text.size()));
    out.insert(out.end(), text.begin(), text.end());
}

TSetFileImage BareImage(std::vector<TSongEntry> entries) {
    TSetFileImage image;
    image.properties = {{"Left", IntegerValue(8)}};
    image.itemsIndex = 1;
    image.entries = std::move(entries);
    return image;
}

TEST(SetFileFormatTest, OneEntryFileHasTheFixedLayout) {
    TSongEntry e = MakeEntry("a.mp3", "C:\\M\\", "1", 65, 1);
    e.timeText = "1:05";
    const Bytes file = WriteSetFile(BareImage({e}));

    Bytes block;
    // 8 + 21 + 5 + (4+1) + (5+1) + (1+1) + (2+1)
    const std::uint32_t blockSize = 8 + 21 + 5 + 5 + 6 + 2 + 3;
    Append(block, Le32(blockSize));
    Append(block, Le32(1));
    Append(block, Le32(0));           // image
    Append(block, Le32(1));           // state
    Append(block, Le32(0xFFFFFFFFu)); // overlay -1
    Append(block, Le32(4));           // sub-items
    Append(block, Le32(0));           // data
    for (const char* text : {"a.mp3", "1:05", "C:\\M\\", "1", "65"}) AppendShort(block, text);
    ASSERT_EQ(block.size(), blockSize);

    Bytes object = {'T', 'P', 'F', '0'};
    AppendShort(object, "TListView");
    AppendShort(object, "SongList");
    AppendShort(object, "Left");
    Append(object, {2, 8});  // Int8 8
    AppendShort(object, "Items.Data");
    object.push_back(10);
    Append(object, Le32(blockSize));
    Append(object, block);
    Append(object, {0, 0});

    Bytes expected = {0xFF, 10, 0};
    for (char c : std::string("TLISTVIEW")) expected.push_back(static_cast<std::uint8_t>(c));
    Append(expected, {0, 0x30, 0x10});
    Append(expected, Le32(static_cast<std::uint32_t>(object.size())));
    Append(expected, object);
    EXPECT_EQ(file, expected);
}

TEST(SetFileFormatTest, EmptyListWritesNoItemsRecord) {
    const Bytes file = WriteSetFile(BareImage({}));
    const std::string text(file.begin(), file.end());
    EXPECT_EQ(text.find("Items.Data"), std::string::npos);
    const auto read = ReadSetFile(file);
    ASSERT_TRUE(read.ok()) << read.error;
    EXPECT_TRUE(read.image.entries.empty());
    EXPECT_EQ(WriteSetFile(read.image), file);
}

TEST(SetFileFormatTest, ItemsBlockSizeFollowsTheFormula) {
    const auto entries = MakeEntries(37);
    std::size_t expected = 8;
    for (const auto& e : entries) {
        expected += 21 + e.caption.size() + e.timeText.size() + 1 + e.folder.size() + 1 +
                    e.usedFlag.size() + 1 + e.secondsText.size() + 1;
    }
    const Bytes block = EncodeItemsBlock(entries);
    EXPECT_EQ(block.size(), expected);
    ByteReader r(block);
    EXPECT_EQ(r.U32(), expected);
    EXPECT_EQ(r.U32(), 37u);
}

struct RoundTripCase {
    const char* name;
    int entries;
    bool defaultControl;
};

class SetFileRoundTripTest : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(SetFileRoundTripTest, ReadThenWriteGivesTheSameBytes) {
    TSetFileImage image = GetParam().defaultControl ? DefaultSongListImage({})
                                                    : BareImage({});
    image.entries = MakeEntries(GetParam().entries);
    const Bytes file = WriteSetFile(image);
    const auto read = ReadSetFile(file);
    ASSERT_TRUE(read.ok()) << read.error;
    EXPECT_EQ(read.image, image);
    EXPECT_EQ(WriteSetFile(read.image), file);
}

INSTANTIATE_TEST_SUITE_P(Table, SetFileRoundTripTest,
                         ::testing::Values(RoundTripCase{"empty_default_control", 0, true},
                                           RoundTripCase{"one_entry", 1, true},
                                           RoundTripCase{"many_entries", 500, true},
                                           RoundTripCase{"bare_control", 3, false}),
                         [](const auto& tc) { return std::string(tc.param.name); });

TEST(SetFileFormatTest, ItemsRecordKeepsItsPlaceAmongTheProperties) {
    TSetFileImage image = DefaultSongListImage({});
    image.entries = MakeEntries(2);
    for (std::size_t place : {std::size_t{0}, std::size_t{5}, image.properties.size()}) {
        image.itemsIndex = place;
        const auto read = ReadSetFile(WriteSetFile(image));
        ASSERT_TRUE(read.ok());
        EXPECT_EQ(read.image.itemsIndex, place);
    }
}

TEST(SetFileFormatTest, LongTextsAreCutTo255AndTheSizeStaysRight) {
    TSongEntry e = MakeEntry(std::string(300, 'c'), std::string(260, 'f') + "\\");
    std::size_t cut = 0;
    const Bytes file = WriteSetFile(BareImage({e}), &cut);
    EXPECT_EQ(cut, 2u);
    const auto read = ReadSetFile(file);
    ASSERT_TRUE(read.ok()) << read.error;
    ASSERT_EQ(read.image.entries.size(), 1u);
    EXPECT_EQ(read.image.entries[0].caption, std::string(255, 'c'));
    EXPECT_EQ(read.image.entries[0].folder, std::string(255, 'f'));
    EXPECT_EQ(read.image.entries[0].secondsText, e.secondsText);
}

TEST(SetFileFormatTest, ColumnsCarryTheWidths) {
    TSetFileImage image = DefaultSongListImage({100, 110, 200});
    SetImageColumns(image, {120, 90, 300});
    const auto read = ReadSetFile(WriteSetFile(image));
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read.image, image);
    EXPECT_NE(image, DefaultSongListImage({100, 110, 200}));
}

TEST(SetFileFormatTest, IntegerValuesUseTheSmallestForm) {
    EXPECT_EQ(IntegerValue(127), (Bytes{2, 127}));
    EXPECT_EQ(IntegerValue(-128), (Bytes{2, 0x80}));
    EXPECT_EQ(IntegerValue(128), (Bytes{3, 128, 0}));
    EXPECT_EQ(IntegerValue(-32769), (Bytes{4, 0xFF, 0x7F, 0xFF, 0xFF}));
    for (std::int32_t v : {0, 127, -128, 300, -32768, 70000, -2147483647 - 1}) {
        std::int32_t back = 1;
        ASSERT_TRUE(ReadIntegerValue(IntegerValue(v), back));
        EXPECT_EQ(back, v);
    }
}

}  // namespace
}  // namespace orvane
