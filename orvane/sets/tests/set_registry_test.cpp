#include <gtest/gtest.h>

#include "memory_settings_store.h"
#include "set_registry.h"

namespace orvane {
namespace {

TEST(SetRegistryTest, ReadsUntilTheFirstMissingOrEmptyValue) {
    MemorySettingsStore store;
    store.WriteText("Sets", "Set0", "(Default),Default Set");
    store.WriteText("Sets", "Set1", "Rock,Loud, and more");
    store.WriteText("Sets", "Set2", "");
    store.WriteText("Sets", "Set3", "Lost,never read");
    EXPECT_EQ(ReadSetRegistry(store),
              (std::vector<TSetRecord>{{"(Default)", "Default Set"}, {"Rock", "Loud, and more"}}));
}

TEST(SetRegistryTest, SetNumberBoundsTheRead) {
    MemorySettingsStore store;
    store.WriteText("Sets", "Set0", "A,a");
    store.WriteText("Sets", "Set1", "B,b");
    store.WriteText("Sets", "SetNumber", "1");
    EXPECT_EQ(ReadSetRegistry(store).size(), 1u);
    store.WriteText("Sets", "SetNumber", "-5");
    EXPECT_TRUE(ReadSetRegistry(store).empty());
}

TEST(SetRegistryTest, ValueWithoutCommaIsANameWithoutDescription) {
    MemorySettingsStore store;
    store.WriteText("Sets", "Set0", "Solo");
    EXPECT_EQ(ReadSetRegistry(store), (std::vector<TSetRecord>{{"Solo", ""}}));
}

TEST(SetRegistryTest, WriteStoresCurrentCountAndRows) {
    MemorySettingsStore store;
    store.WriteText("Sets", "Set2", "Old,left over");
    WriteSetRegistry(store, "Rock", {{"(Default)", "Default Set"}, {"Rock", "r"}});
    EXPECT_EQ(store.ReadText("Sets", "CurrentSet"), "Rock");
    EXPECT_EQ(store.ReadText("Sets", "SetNumber"), "2");
    EXPECT_EQ(store.ReadText("Sets", "Set1"), "Rock,r");
    EXPECT_EQ(store.ReadText("Sets", "Set2"), "Old,left over");
    EXPECT_EQ(ReadSetRegistry(store).size(), 2u);
}

TEST(SetRegistryTest, CurrentSetDefaultsToTheDefaultSet) {
    MemorySettingsStore store;
    EXPECT_EQ(ReadCurrentSetName(store), "(Default)");
    store.WriteText("Sets", "CurrentSet", "");
    EXPECT_EQ(ReadCurrentSetName(store), "(Default)");
    store.WriteText("Sets", "CurrentSet", "Rock");
    EXPECT_EQ(ReadCurrentSetName(store), "Rock");
}

}  // namespace
}  // namespace orvane
