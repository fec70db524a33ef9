#include <gtest/gtest.h>

#include "fake_association_host.h"
#include "file_association.h"
#include "memory_classes_registry.h"

namespace orvane {
namespace {

struct ProgramCase {
    const char* name;
    const char* command;
    const char* program;
};

class ProgramOfCommandTest : public ::testing::TestWithParam<ProgramCase> {};

TEST_P(ProgramOfCommandTest, FindsTheProgram) {
    EXPECT_EQ(ProgramOfCommand(GetParam().command), GetParam().program);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ProgramOfCommandTest,
    ::testing::Values(
        ProgramCase{"plain_with_argument", "C:\\MP3\\WINPLAY3.EXE %1", "C:\\MP3\\WINPLAY3.EXE"},
        ProgramCase{"plain_alone", "C:\\MP3\\WINPLAY3.EXE", "C:\\MP3\\WINPLAY3.EXE"},
        ProgramCase{"quoted_with_space", "\"C:\\Program Files\\WinPlay3\\winplay3.exe\" \"%1\"",
                    "C:\\Program Files\\WinPlay3\\winplay3.exe"},
        ProgramCase{"quoted_unclosed", "\"C:\\A B\\w.exe", "C:\\A B\\w.exe"},
        ProgramCase{"empty", "", ""}),
    [](const auto& tc) { return std::string(tc.param.name); });

TEST(OpenCommandForTest, QuotesOnlyPathsWithSpaces) {
    EXPECT_EQ(OpenCommandFor("C:\\MP3\\winplay3.exe"), "C:\\MP3\\winplay3.exe %1");
    EXPECT_EQ(OpenCommandFor("C:\\Program Files\\winplay3.exe"),
              "\"C:\\Program Files\\winplay3.exe\" %1");
    EXPECT_EQ(ProgramOfCommand(OpenCommandFor("C:\\Program Files\\winplay3.exe")),
              "C:\\Program Files\\winplay3.exe");
}

TEST(SetFileTypeInfoTest, WritesTheFourValues) {
    MemoryClassesRegistry reg;
    ASSERT_TRUE(SetFileTypeInfo(reg, "MP3", "", "MPEG Layer3 Audio Files", "C:\\P\\w.exe",
                                "audio/x-mpeg"));
    EXPECT_EQ(reg.ReadValue(".MP3", ""), "MP3file");
    EXPECT_EQ(reg.ReadValue(".MP3", "Content Type"), "audio/x-mpeg");
    EXPECT_EQ(reg.ReadValue("MP3file", ""), "MPEG Layer3 Audio Files");
    EXPECT_EQ(reg.ReadValue("MP3file\\shell\\open\\command", ""), "C:\\P\\w.exe %1");
}

TEST(SetFileTypeInfoTest, KeepsGivenDotTypeKeyAndPercentOne) {
    MemoryClassesRegistry reg;
    ASSERT_TRUE(SetFileTypeInfo(reg, ".m3u", "Lists", "L", "  x.exe /q %1 ", ""));
    EXPECT_EQ(reg.ReadValue(".m3u", ""), "Lists");
    EXPECT_FALSE(reg.ReadValue(".m3u", "Content Type").has_value());
    EXPECT_EQ(reg.ReadValue("Lists\\shell\\open\\command", ""), "  x.exe /q %1 ");
}

TEST(SetFileTypeInfoTest, TrimsCommandBeforeAddingPercentOne) {
    MemoryClassesRegistry reg;
    ASSERT_TRUE(SetFileTypeInfo(reg, "MP3", "", "d", "  w.exe  ", ""));
    EXPECT_EQ(reg.ReadValue("MP3file\\shell\\open\\command", ""), "w.exe %1");
}

TEST(SetFileTypeInfoTest, EmptyExtensionOrCommandDoesNothing) {
    MemoryClassesRegistry reg;
    EXPECT_FALSE(SetFileTypeInfo(reg, "", "", "d", "w.exe", ""));
    EXPECT_FALSE(SetFileTypeInfo(reg, "MP3", "", "d", "", ""));
    EXPECT_FALSE(reg.KeyExists(".MP3"));
}

TEST(SetFileTypeInfoTest, FailedWriteGivesFalse) {
    MemoryClassesRegistry reg;
    reg.FailWritesUnder("MP3file\\shell");
    EXPECT_FALSE(SetFileTypeInfo(reg, "MP3", "", "d", "w.exe", ""));
}

TEST(GetFileTypeInfoTest, ReadsBackWhatWasSet) {
    MemoryClassesRegistry reg;
    ASSERT_TRUE(SetFileTypeInfo(reg, "M3U", "", "MP3 List Files",
                                OpenCommandFor("C:\\Program Files\\winplay3.exe"),
                                "audio/x-mpegurl"));
    const TFileTypeInfo info = GetFileTypeInfo(reg, "M3U");
    EXPECT_EQ(info.description, "MP3 List Files");
    EXPECT_EQ(info.contentType, "audio/x-mpegurl");
    EXPECT_EQ(info.command, "C:\\Program Files\\winplay3.exe");
}

TEST(GetFileTypeInfoTest, MissingKeysGiveEmptyTexts) {
    MemoryClassesRegistry reg;
    EXPECT_EQ(GetFileTypeInfo(reg, "MP3").command, "");
    reg.WriteValue(".MP3", "", "Missing");
    reg.WriteValue(".MP3", "Content Type", "audio/x-mpeg");
    const TFileTypeInfo info = GetFileTypeInfo(reg, ".MP3");
    EXPECT_EQ(info.contentType, "audio/x-mpeg");
    EXPECT_EQ(info.description, "");
    EXPECT_EQ(info.command, "");
}

class CheckAssociationTest : public ::testing::Test {
protected:
    void Register(const char* ext, const std::string& command) {
        ASSERT_TRUE(SetFileTypeInfo(reg, ext, "", "d", command, ""));
    }
    MemoryClassesRegistry reg;
    FakeAssociationHost host;
};

TEST_F(CheckAssociationTest, BothNamingThePlayerIsDone) {
    Register("MP3", "C:\\MP3\\WINPLAY3.EXE %1");
    Register("M3U", "C:\\MP3\\WinPlay3.exe %1");
    EXPECT_TRUE(CheckAssociation(reg, host));
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(host.dialogsShown, 0);
}

TEST_F(CheckAssociationTest, ExistingMp3PlayerRegistersM3uSilently) {
    Register("MP3", "C:\\MP3\\WINPLAY3.EXE %1");
    host.files.insert("C:\\MP3\\WINPLAY3.EXE");
    EXPECT_TRUE(CheckAssociation(reg, host));
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(reg.ReadValue(".M3U", "Content Type"), "audio/x-mpegurl");
    EXPECT_EQ(reg.ReadValue("M3Ufile", ""), "MP3 List Files");
    EXPECT_EQ(GetFileTypeInfo(reg, "M3U").command, "C:\\MP3\\WINPLAY3.EXE");
}

TEST_F(CheckAssociationTest, PlayerPathWithSpacesIsFoundAndKeptQuoted) {
    const std::string player = "C:\\Program Files\\WinPlay3\\winplay3.exe";
    Register("MP3", OpenCommandFor(player));
    host.files.insert(player);
    EXPECT_TRUE(CheckAssociation(reg, host));
    EXPECT_EQ(host.dialogsShown, 0);
    EXPECT_EQ(reg.ReadValue("M3Ufile\\shell\\open\\command", ""), "\"" + player + "\" %1");
}

TEST_F(CheckAssociationTest, MissingPlayerFileAsksForIt) {
    Register("MP3", "C:\\MP3\\WINPLAY3.EXE %1");
    host.answer = std::nullopt;
    EXPECT_FALSE(CheckAssociation(reg, host));
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[0].first, kNoAssociationText);
    EXPECT_EQ(host.messages[0].second, TMessageIcon::Information);
    EXPECT_EQ(host.messages[1].first, kAssociationFailedText);
    EXPECT_EQ(host.messages[1].second, TMessageIcon::Warning);
    EXPECT_FALSE(reg.KeyExists(".M3U"));
}

TEST_F(CheckAssociationTest, NoAssociationAsksAndRegistersBoth) {
    host.answer = "D:\\Tools\\WinPlay3.EXE";
    EXPECT_TRUE(CheckAssociation(reg, host));
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[1].first, kAssociationSetText);
    EXPECT_EQ(reg.ReadValue(".MP3", "Content Type"), "audio/x-mpeg");
    EXPECT_EQ(reg.ReadValue("MP3file", ""), "MPEG Layer3 Audio Files");
    EXPECT_EQ(reg.ReadValue("MP3file\\shell\\open\\command", ""), "D:\\Tools\\WinPlay3.EXE %1");
    EXPECT_EQ(reg.ReadValue(".M3U", "Content Type"), "audio/x-mpegurl");
    EXPECT_EQ(reg.ReadValue("M3Ufile\\shell\\open\\command", ""), "D:\\Tools\\WinPlay3.EXE %1");
}

TEST(AskPlayerLocationTest, OtherProgramRegistersNothing) {
    MemoryClassesRegistry reg;
    FakeAssociationHost host;
    host.answer = "C:\\winplay3.exe\\player.exe";
    EXPECT_FALSE(AskPlayerLocation(reg, host));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].first, kPlayerNotFoundText);
    EXPECT_FALSE(reg.KeyExists(".MP3"));
}

TEST(AskPlayerLocationTest, FailedWriteIsNotReportedAsSuccess) {
    MemoryClassesRegistry reg;
    reg.FailWritesUnder("M3Ufile");
    FakeAssociationHost host;
    host.answer = "C:\\winplay3.exe";
    EXPECT_FALSE(AskPlayerLocation(reg, host));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].first, kAssociationFailedText);
}

}  // namespace
}  // namespace orvane
