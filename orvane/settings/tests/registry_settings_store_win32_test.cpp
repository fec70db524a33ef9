// Runs against the registry of the Wine test prefix, which is private to each run.
#include <gtest/gtest.h>

#include <windows.h>

#include "options.h"
#include "registry_settings_store.h"
#include "view_settings.h"

namespace orvane {
namespace {

constexpr const char* kTestKey = "Software\\Brindle\\Orvane Manager Test";

class RegistrySettingsStoreTest : public ::testing::Test {
protected:
    void SetUp() override { RegDeleteTreeA(HKEY_CURRENT_USER, kTestKey); }
    void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, kTestKey); }
    RegistrySettingsStore store{kTestKey};
};

TEST_F(RegistrySettingsStoreTest, MissingKeyGivesDefaults) {
    EXPECT_EQ(LoadOptions(store, "(Default)"), TOptions{});
    EXPECT_EQ(LoadViewSettings(store), TViewState{});
}

TEST_F(RegistrySettingsStoreTest, SectionIsASubKeyAndValuesAreStrings) {
    store.WriteInteger("General", "SortStyle", -1);
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER,
                            "Software\\Brindle\\Orvane Manager Test\\General", 0, KEY_READ, &key),
              ERROR_SUCCESS);
    char buffer[16] = {};
    DWORD size = sizeof(buffer);
    DWORD type = 0;
    EXPECT_EQ(RegQueryValueExA(key, "SortStyle", nullptr, &type,
                               reinterpret_cast<BYTE*>(buffer), &size),
              ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_STREQ(buffer, "-1");
}

TEST_F(RegistrySettingsStoreTest, RoundTripsOptionsAndTexts) {
    TOptions o;
    o.sequence = TPlaySequence::DownTop;
    o.lyricsExtensions = {"LRC"};
    o.autoMinimize = true;
    SaveOptions(store, "(Default)", o);
    EXPECT_EQ(LoadOptions(store, "(Default)"), o);
    const std::string longText(5000, 'x');
    store.WriteString("General", "RecentDirectory", longText);
    EXPECT_EQ(store.ReadText("General", "RecentDirectory"), longText);
}

TEST_F(RegistrySettingsStoreTest, HexAndNonNumbersReadAsTheStoreRules) {
    store.WriteString("(Default)", "DoubleClick", "0x2");
    store.WriteString("(Default)", "PageIndex", "two");
    EXPECT_EQ(store.ReadInteger("(Default)", "DoubleClick", 1), 2);
    EXPECT_EQ(store.ReadInteger("(Default)", "PageIndex", 0), 0);
}

TEST_F(RegistrySettingsStoreTest, NonTextValueGivesTheDefault) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER,
                              "Software\\Brindle\\Orvane Manager Test\\General", 0, nullptr, 0,
                              KEY_WRITE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const DWORD number = 5;
    RegSetValueExA(key, "TabSetIndex", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                   sizeof(number));
    RegCloseKey(key);
    EXPECT_EQ(store.ReadInteger("General", "TabSetIndex", 0), 0);
}

}  // namespace
}  // namespace orvane
