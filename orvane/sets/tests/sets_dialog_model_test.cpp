#include <gtest/gtest.h>

#include <deque>

#include "memory_settings_store.h"
#include "set_names.h"
#include "sets_dialog_model.h"
#include "temp_folder.h"

namespace orvane {
namespace {

class FakeSetsHost : public SetsDialogHost {
  public:
    void ShowMessage(std::string_view text, TMessageIcon icon) override {
        messages.emplace_back(std::string(text));
        icons.push_back(icon);
    }
    std::optional<TSetRecord> AskNewSet() override {
        ++asked;
        if (answers.empty())
            return std::nullopt;
        auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::deque<std::optional<TSetRecord>> answers;
    std::vector<std::string> messages;
    std::vector<TMessageIcon> icons;
    int asked = 0;
};

void StoreSets(MemorySettingsStore& store, const std::vector<TSetRecord>& rows) {
    WriteSetRegistry(store, rows.empty() ? "" : rows[0].name, rows);
}

TEST(SetsDialogModelTest, EmptyRegistryShowsTheDefaultSet) {
    MemorySettingsStore store;
    TSetsDialogModel model(store, "(Default)", "prog");
    EXPECT_EQ(model.Rows(), (std::vector<TSetRecord>{{"(Default)", "Default Set"}}));
    EXPECT_EQ(model.Selected(), 0);
    EXPECT_EQ(model.Description(), "Default Set");
    EXPECT_EQ(model.Caption(), "Set Configuration - (Default)");
}

TEST(SetsDialogModelTest, SelectsTheCurrentSet) {
    MemorySettingsStore store;
    StoreSets(store, {{"(Default)", "Default Set"}, {"Rock", "loud"}});
    TSetsDialogModel model(store, "Rock", "prog");
    EXPECT_EQ(model.Selected(), 1);
    EXPECT_EQ(model.Description(), "loud");
}

TEST(SetsDialogModelTest, UnknownCurrentSetFallsBackToRowZero) {
    MemorySettingsStore store;
    StoreSets(store, {{"Jazz", "j"}, {"Rock", "r"}});
    TSetsDialogModel model(store, "Gone", "prog");
    EXPECT_EQ(model.Selected(), 0);
    EXPECT_EQ(model.CurrentSetName(), "Jazz");
}

TEST(SetsDialogModelTest, SelectionChangeMakesTheSetCurrent) {
    MemorySettingsStore store;
    StoreSets(store, {{"(Default)", "Default Set"}, {"Rock", "r"}});
    TSetsDialogModel model(store, "(Default)", "prog");
    model.SelectionChanged(1);
    EXPECT_EQ(model.CurrentSetName(), "Rock");
    EXPECT_EQ(model.Caption(), "Set Configuration - Rock");
    model.SelectionChanged(7);  // no such row: nothing changes
    EXPECT_EQ(model.CurrentSetName(), "Rock");
}

TEST(SetsDialogModelTest, NewAddsSelectsAndMakesCurrent) {
    MemorySettingsStore store;
    TSetsDialogModel model(store, "(Default)", "prog");
    FakeSetsHost host;
    host.answers.push_back(TSetRecord{"Jazz", "smooth"});
    EXPECT_TRUE(model.New(host));
    EXPECT_EQ(model.Rows().size(), 2u);
    EXPECT_EQ(model.Selected(), 1);
    EXPECT_EQ(model.CurrentSetName(), "Jazz");
    EXPECT_EQ(model.Description(), "smooth");
    EXPECT_TRUE(host.messages.empty());
}

TEST(SetsDialogModelTest, CancelledNewChangesNothing) {
    MemorySettingsStore store;
    TSetsDialogModel model(store, "(Default)", "prog");
    FakeSetsHost host;
    EXPECT_FALSE(model.New(host));
    EXPECT_EQ(model.Rows().size(), 1u);
}

TEST(SetsDialogModelTest, NameThatCannotBeAFileIsRefusedAtCreation) {
    MemorySettingsStore store;
    TSetsDialogModel model(store, "(Default)", "prog");
    FakeSetsHost host;
    host.answers.push_back(TSetRecord{"AC/DC", "rock"});
    EXPECT_FALSE(model.New(host));
    EXPECT_EQ(model.Rows().size(), 1u);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_NE(host.messages[0].find("\"AC/DC\""), std::string::npos);
    EXPECT_EQ(host.icons[0], TMessageIcon::Error);
}

TEST(SetsDialogModelTest, NinetyNineSetsIsTheLimit) {
    MemorySettingsStore store;
    std::vector<TSetRecord> rows;
    for (int i = 0; i < 98; ++i) rows.push_back({"Set" + std::to_string(i), ""});
    StoreSets(store, rows);
    TSetsDialogModel model(store, "Set0", "prog");
    FakeSetsHost host;
    host.answers.push_back(TSetRecord{"Last", ""});
    host.answers.push_back(TSetRecord{"OneTooMany", ""});
    EXPECT_TRUE(model.New(host));
    EXPECT_EQ(model.Rows().size(), 99u);
    EXPECT_FALSE(model.New(host));
    EXPECT_EQ(host.asked, 1);  // the new set dialog is not even shown
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0], "Exceed maximum sets number !!");
}

TEST(SetsDialogModelTest, DeletingTheDefaultSetDoesNothing) {
    TempFolder dir;
    TempFolder::WriteAll(SetFileName(dir.path(), "(Default)"), "x");
    MemorySettingsStore store;
    TSetsDialogModel model(store, "(Default)", dir.path());
    EXPECT_FALSE(model.Delete());
    EXPECT_EQ(model.Rows().size(), 1u);
    EXPECT_TRUE(std::filesystem::exists(SetFileName(dir.path(), "(Default)")));
}

TEST(SetsDialogModelTest, DeleteRemovesRowAndFileAndSelectsTheSamePosition) {
    TempFolder dir;
    MemorySettingsStore store;
    StoreSets(store, {{"(Default)", "d"}, {"Rock.90s", "r"}, {"Jazz", "j"}});
    TempFolder::WriteAll(SetFileName(dir.path(), "Rock.90s"), "x");
    TSetsDialogModel model(store, "Rock.90s", dir.path());
    EXPECT_TRUE(model.Delete());
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "Rock.OVM"));
    EXPECT_EQ(model.Rows().size(), 2u);
    EXPECT_EQ(model.Selected(), 1);
    EXPECT_EQ(model.CurrentSetName(), "Jazz");
    // The last row removed: the new last row is selected; a missing file is no error.
    EXPECT_TRUE(model.Delete());
    EXPECT_EQ(model.Selected(), 0);
    EXPECT_EQ(model.CurrentSetName(), "(Default)");
}

TEST(SetsDialogModelTest, ASetFileThatCannotBeRemovedKeepsTheSetAndSaysSo) {
    TempFolder dir;
    MemorySettingsStore store;
    StoreSets(store, {{"(Default)", "d"}, {"Rock", "r"}});
    // A folder in the set file's place: it cannot be removed as a file.
    std::filesystem::create_directory(dir.path() / "Rock.OVM");
    TempFolder::WriteAll(dir.path() / "Rock.OVM" / "inside", "x");
    TSetsDialogModel model(store, "Rock", dir.path());
    EXPECT_TRUE(model.CanDelete());
    EXPECT_FALSE(model.Delete());
    EXPECT_EQ(model.DeleteError(), "Unable to delete Rock.OVM");
    EXPECT_EQ(model.Rows().size(), 2u);
    model.SelectionChanged(0);
    EXPECT_FALSE(model.CanDelete());
}

TEST(SetsDialogModelTest, DeleteKeepsAFileAnotherSetStillUses) {
    TempFolder dir;
    MemorySettingsStore store;
    StoreSets(store, {{"(Default)", "d"}, {"Rock.90s", "a"}, {"Rock.80s", "b"}});
    const auto shared = dir.path() / "Rock.OVM";
    TempFolder::WriteAll(shared, "x");
    TSetsDialogModel model(store, "Rock.90s", dir.path());
    EXPECT_TRUE(model.Delete());
    EXPECT_TRUE(std::filesystem::exists(shared));
    EXPECT_EQ(model.CurrentSetName(), "Rock.80s");
    EXPECT_TRUE(model.Delete());
    EXPECT_FALSE(std::filesystem::exists(shared));
}

TEST(SetsDialogModelTest, DeletingTheOnlyRowBringsBackTheDefaultSet) {
    MemorySettingsStore store;
    StoreSets(store, {{"Solo", "s"}});
    TSetsDialogModel model(store, "Solo", "prog-missing");
    EXPECT_TRUE(model.Delete());
    EXPECT_EQ(model.Rows(), (std::vector<TSetRecord>{{"(Default)", "Default Set"}}));
    EXPECT_EQ(model.CurrentSetName(), "(Default)");
}

TEST(SetsDialogModelTest, CloseWritesTheRegistry) {
    MemorySettingsStore store;
    TSetsDialogModel model(store, "(Default)", "prog");
    FakeSetsHost host;
    host.answers.push_back(TSetRecord{"Jazz", "smooth"});
    model.New(host);
    model.Close(store);
    EXPECT_EQ(store.ReadText("Sets", "CurrentSet"), "Jazz");
    EXPECT_EQ(store.ReadText("Sets", "SetNumber"), "2");
    EXPECT_EQ(store.ReadText("Sets", "Set0"), "(Default),Default Set");
    EXPECT_EQ(store.ReadText("Sets", "Set1"), "Jazz,smooth");
    TSetsDialogModel again(store, ReadCurrentSetName(store), "prog");
    EXPECT_EQ(again.Rows(), model.Rows());
    EXPECT_EQ(again.Selected(), 1);
}

TEST(SetsDialogModelTest, Captions) {
    EXPECT_EQ(NewSetCaption(), "Orvane Manager 1.0 Beta2 - New Set");
    EXPECT_EQ(MainWindowCaption("Rock"), "Orvane Manager 1.0 Beta2 - Rock");
}

}  // namespace
}  // namespace orvane
