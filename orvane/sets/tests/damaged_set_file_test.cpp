// Damaged and foreign set files, each case named after the fault it carries.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "byte_writer.h"
#include "items_block.h"
#include "set_file_format.h"
#include "test_entries.h"

namespace orvane {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::size_t kResourceSizeOffset = 1 + 2 + 10 + 2;

Bytes GoodFile(int entries = 5) {
    TSetFileImage image = DefaultSongListImage({});
    image.entries = MakeEntries(entries);
    return WriteSetFile(image);
}

// Offset of the Items.Data block (its size field).
std::size_t ItemsBlockOffset(const Bytes& file) {
    const std::string name = "Items.Data";
    auto it = std::search(file.begin(), file.end(), name.begin(), name.end());
    return static_cast<std::size_t>(it - file.begin()) + name.size() + 1 + 4;
}

void Put32(Bytes& file, std::size_t offset, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) file[offset + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

struct DamageCase {
    const char* name;
    std::function<Bytes()> make;
    std::size_t entriesRead;
};

class DamagedSetFileTest : public ::testing::TestWithParam<DamageCase> {};

TEST_P(DamagedSetFileTest, GivesWhatCouldBeReadAndAnError) {
    const Bytes file = GetParam().make();
    const auto read = ReadSetFile(file);
    EXPECT_FALSE(read.ok());
    EXPECT_EQ(read.image.entries.size(), GetParam().entriesRead) << read.error;
    const auto expected = MakeEntries(5);
    for (std::size_t i = 0; i < read.image.entries.size() && i < expected.size(); ++i) {
        EXPECT_EQ(read.image.entries[i], expected[i]) << "entry " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, DamagedSetFileTest,
    ::testing::Values(
        DamageCase{"truncated_items_block",
                   [] {
                       Bytes f = GoodFile();
                       // Cut inside the third entry: the first two are whole.
                       const auto start = ItemsBlockOffset(f) + 8;
                       const auto two = EncodeItemsBlock(MakeEntries(2)).size() - 8;
                       f.resize(start + two + 10);
                       return f;
                   },
                   2},
        DamageCase{"truncated_resource_header", [] { return Bytes{0xFF, 10, 0, 'T'}; }, 0},
        DamageCase{"not_a_resource",
                   [] {
                       Bytes f = GoodFile();
                       f[0] = 0;
                       return f;
                   },
                   0},
        DamageCase{"empty_file", [] { return Bytes{}; }, 0},
        DamageCase{"missing_object_signature",
                   [] {
                       Bytes f = GoodFile();
                       f[kResourceSizeOffset + 4] = 'X';
                       return f;
                   },
                   0},
        DamageCase{"items_size_field_mismatch",
                   [] {
                       Bytes f = GoodFile();
                       Put32(f, ItemsBlockOffset(f), 12345);
                       return f;
                   },
                   5},
        DamageCase{"items_count_far_too_large",
                   [] {
                       Bytes f = GoodFile();
                       Put32(f, ItemsBlockOffset(f) + 4, 0xFFFFFFFFu);
                       return f;
                   },
                   5},
        DamageCase{"items_count_too_small",
                   [] {
                       Bytes f = GoodFile();
                       Put32(f, ItemsBlockOffset(f) + 4, 3);
                       return f;
                   },
                   3},
        DamageCase{"negative_sub_item_count",
                   [] {
                       Bytes f = GoodFile();
                       Put32(f, ItemsBlockOffset(f) + 8 + 12, 0xFFFFFFFFu);
                       return f;
                   },
                   0},
        DamageCase{"sub_item_count_past_the_block",
                   [] {
                       Bytes f = GoodFile();
                       Put32(f, ItemsBlockOffset(f) + 8 + 12, 100000);
                       return f;
                   },
                   0},
        DamageCase{"items_length_past_the_file",
                   [] {
                       Bytes f = GoodFile();
                       Put32(f, ItemsBlockOffset(f) - 4, 0x7FFFFFFF);
                       return f;
                   },
                   5},
        DamageCase{"resource_size_past_the_file",
                   [] {
                       Bytes f = GoodFile();
                       Put32(f, kResourceSizeOffset, static_cast<std::uint32_t>(f.size() * 2));
                       return f;
                   },
                   5},
        DamageCase{"unknown_value_type_before_items",
                   [] {
                       Bytes f = GoodFile();
                       // The first property "Left" holds Int8; make its type unknown.
                       const std::size_t left = kResourceSizeOffset + 4 + 4 + 10 + 9 + 5;
                       f[left] = 99;
                       return f;
                   },
                   0},
        DamageCase{"child_object_present",
                   [] {
                       Bytes f = GoodFile();
                       f.back() = 7;
                       return f;
                   },
                   5}),
    [](const auto& tc) { return std::string(tc.param.name); });

TEST(DamagedSetFileTest, EveryTruncationReadsOnlyWholeEntries) {
    const Bytes file = GoodFile(5);
    std::size_t lastCount = 0;
    for (std::size_t n = 0; n < file.size(); ++n) {
        const auto read = ReadSetFile(std::span(file.data(), n));
        EXPECT_FALSE(read.ok()) << "cut at " << n;
        EXPECT_GE(read.image.entries.size(), lastCount) << "cut at " << n;
        EXPECT_LE(read.image.entries.size(), 5u);
        lastCount = read.image.entries.size();
    }
    EXPECT_EQ(lastCount, 5u);  // the cut in the final zero bytes still has every entry
    EXPECT_TRUE(ReadSetFile(file).ok());
}

// An object stream with the given property records, wrapped in the resource header.
Bytes Wrap(const std::function<void(ByteWriter&)>& properties, const Bytes& prefix = {}) {
    ByteWriter object;
    object.Text("TPF0");
    object.Bytes(prefix);
    object.ShortString("TListView");
    object.ShortString("SongList");
    properties(object);
    object.U8(0);
    object.U8(0);
    ByteWriter w;
    w.U8(0xFF);
    w.U16(10);
    w.Text("TLISTVIEW");
    w.U8(0);
    w.U16(0x1030);
    w.U32(static_cast<std::uint32_t>(object.size()));
    w.Bytes(object.bytes());
    return std::move(w.bytes());
}

void ForeignEntry(ByteWriter& block, const std::vector<std::string>& subItems) {
    block.I32(3);  // image
    block.I32(0);
    block.I32(2);  // overlay
    block.I32(static_cast<std::int32_t>(subItems.size()));
    block.U32(99);  // data
    block.ShortString("x.mp3");
    for (const auto& s : subItems) block.ShortString(s);
}

TEST(ForeignSetFileTest, EntriesWithOtherSubItemCountsAreRead) {
    ByteWriter block;
    block.U32(0);
    block.U32(2);
    ForeignEntry(block, {"0:10", "D:\\"});
    ForeignEntry(block, {"0:20", "E:\\", "1", "20", "extra", "more"});
    block.PatchU32(0, static_cast<std::uint32_t>(block.size()));
    const Bytes file = Wrap([&](ByteWriter& w) {
        w.ShortString("Items.Data");
        w.U8(10);
        w.U32(static_cast<std::uint32_t>(block.size()));
        w.Bytes(block.bytes());
    });
    const auto read = ReadSetFile(file);
    ASSERT_TRUE(read.ok()) << read.error;
    ASSERT_EQ(read.image.entries.size(), 2u);
    EXPECT_EQ(read.image.entries[0].folder, "D:\\");
    EXPECT_EQ(read.image.entries[0].usedFlag, "0");  // missing: the new-entry value
    EXPECT_EQ(read.image.entries[1].secondsText, "20");
    EXPECT_EQ(read.image.entries[1].usedFlag, "1");
}

TEST(ForeignSetFileTest, FlagsPrefixIsUnderstood) {
    auto hint = [](ByteWriter& w) {
        w.ShortString("Hint");
        w.U8(12);  // long string
        w.U32(3);
        w.Text("abc");
    };
    for (const Bytes& prefix : {Bytes{0xF1}, Bytes{0xF2, 2, 3}}) {
        const auto read = ReadSetFile(Wrap(hint, prefix));
        ASSERT_TRUE(read.ok()) << read.error;
        ASSERT_EQ(read.image.properties.size(), 1u);
        EXPECT_EQ(read.image.properties[0].name, "Hint");
        EXPECT_EQ(read.image.objectName, "SongList");
    }
}

TEST(ForeignSetFileTest, EveryValueKindIsWalked) {
    const Bytes file = Wrap([](ByteWriter& w) {
        w.ShortString("Ext");
        w.U8(5);
        for (int i = 0; i < 10; ++i) w.U8(0);
        w.ShortString("Opts");
        w.U8(11);
        w.ShortString("a");
        w.ShortString("b");
        w.U8(0);
        w.ShortString("Hint");
        w.U8(18);
        w.U32(2);
        w.U32(0x00620061);
        w.ShortString("Big");
        w.U8(19);
        w.U32(1);
        w.U32(2);
        w.ShortString("Cols");
        w.U8(14);
        w.U8(2);  // item index
        w.U8(0);
        w.U8(1);  // list
        w.ShortString("Width");
        w.U8(3);
        w.U16(300);
        w.U8(0);
        w.U8(0);
        w.ShortString("L");
        w.U8(1);
        w.U8(9);
        w.U8(6);
        w.ShortString("s");
        w.U8(0);
    });
    const auto read = ReadSetFile(file);
    ASSERT_TRUE(read.ok()) << read.error;
    EXPECT_EQ(read.image.properties.size(), 6u);
    EXPECT_EQ(WriteSetFile(read.image), file);
}

TEST(ForeignSetFileTest, DeeplyNestedListsAreRefusedWithoutOverflow) {
    const Bytes file = Wrap([](ByteWriter& w) {
        w.ShortString("Deep");
        for (int i = 0; i < 100000; ++i) w.U8(1);
        for (int i = 0; i < 100000; ++i) w.U8(0);
    });
    const auto read = ReadSetFile(file);
    EXPECT_FALSE(read.ok());
    EXPECT_NE(read.error.find("Deep"), std::string::npos) << read.error;
}

}  // namespace
}  // namespace orvane
