#include <gtest/gtest.h>

#include "memory_settings_store.h"
#include "setting_access.h"

namespace orvane {
namespace {

struct IntegerCase {
    const char* name;
    const char* text;
    int expected;
};

class ParseStoredIntegerTest : public ::testing::TestWithParam<IntegerCase> {};

TEST_P(ParseStoredIntegerTest, ReadsOrFallsBackToDefault) {
    EXPECT_EQ(ParseStoredInteger(GetParam().text, -77), GetParam().expected) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Table, ParseStoredIntegerTest,
    ::testing::Values(IntegerCase{"decimal", "123", 123},
                      IntegerCase{"negative", "-2", -2},
                      IntegerCase{"plus_sign", "+5", 5},
                      IntegerCase{"hex_lower", "0x1f", 31},
                      IntegerCase{"hex_upper_prefix", "0X1F", 31},
                      IntegerCase{"hex_full_width_is_negative", "0xFFFFFFFF", -1},
                      IntegerCase{"hex_too_wide", "0x100000000", -77},
                      IntegerCase{"hex_bad_digit", "0x1g", -77},
                      IntegerCase{"hex_prefix_only", "0x", -77},
                      IntegerCase{"empty", "", -77},
                      IntegerCase{"sign_only", "-", -77},
                      IntegerCase{"words", "abc", -77},
                      IntegerCase{"trailing_text", "12abc", -77},
                      IntegerCase{"int_max", "2147483647", 2147483647},
                      IntegerCase{"int_min", "-2147483648", -2147483647 - 1},
                      IntegerCase{"overflow", "2147483648", -77},
                      IntegerCase{"huge", "99999999999999999999", -77}),
    [](const auto& tc) { return std::string(tc.param.name); });

TEST(MemorySettingsStoreTest, MissingValuesGiveTheDefault) {
    MemorySettingsStore store;
    EXPECT_EQ(store.ReadString("General", "RecentDirectory", "dflt"), "dflt");
    EXPECT_EQ(store.ReadInteger("General", "SortStyle", 7), 7);
    EXPECT_TRUE(store.ReadBool("General", "SortAlways", true));
}

TEST(MemorySettingsStoreTest, BooleansAreZeroOrOneAndAnyNonZeroIsTrue) {
    MemorySettingsStore store;
    store.WriteBool("(Default)", "AutoHide", true);
    EXPECT_EQ(store.ReadText("(Default)", "AutoHide"), "1");
    store.WriteBool("(Default)", "AutoHide", false);
    EXPECT_EQ(store.ReadText("(Default)", "AutoHide"), "0");
    store.WriteText("(Default)", "AutoHide", "5");
    EXPECT_TRUE(store.ReadBool("(Default)", "AutoHide", false));
    store.WriteText("(Default)", "AutoHide", "yes");  // not a number: the default
    EXPECT_FALSE(store.ReadBool("(Default)", "AutoHide", false));
    EXPECT_TRUE(store.ReadBool("(Default)", "AutoHide", true));
}

TEST(MemorySettingsStoreTest, IntegersAreWrittenInDecimal) {
    MemorySettingsStore store;
    store.WriteInteger("General", "SortStyle", -2);
    EXPECT_EQ(store.ReadText("General", "SortStyle"), "-2");
}

TEST(MemorySettingsStoreTest, NamesAreCaseInsensitiveLikeTheRegistry) {
    MemorySettingsStore store;
    store.WriteString("sets", "currentset", "Rock");
    EXPECT_EQ(ReadSetting(store, setting::CurrentSet), "Rock");
    EXPECT_TRUE(store.HasSection("SETS"));
    EXPECT_FALSE(store.HasSection("Set"));
}

TEST(MemorySettingsStoreTest, FailedWriteNamesTheValue) {
    MemorySettingsStore store;
    store.FailWrites(true);
    try {
        store.WriteInteger("General", "SortStyle", 1);
        FAIL() << "write did not fail";
    } catch (const SettingsWriteError& e) {
        EXPECT_STREQ(e.what(), "Failed to set data for 'SortStyle'");
    }
}

TEST(OptionReadersTest, ReadFromTheDefaultSection) {
    MemorySettingsStore store;
    store.WriteText("(Default)", "DoubleClick", "0x2");
    store.WriteText("General", "DoubleClick", "0");
    EXPECT_EQ(ReadOptionInt(store, "DoubleClick", 1), 2);
    EXPECT_TRUE(ReadOptionBool(store, "LockToolBar", true));
    EXPECT_EQ(ReadOptionStr(store, "LyricsExtension", "TXT;"), "TXT;");
}

}  // namespace
}  // namespace orvane
