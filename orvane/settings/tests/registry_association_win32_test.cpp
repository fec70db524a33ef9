// The associations against the real HKEY_CLASSES_ROOT of the Wine test prefix.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include <filesystem>
#include <fstream>

#include "fake_association_host.h"
#include "file_association.h"
#include "registry_classes_registry.h"

namespace orvane {
namespace {

class RegistryAssociationTest : public ::testing::Test {
protected:
    void SetUp() override { Clean(); }
    void TearDown() override { Clean(); }
    static void Clean() {
        for (const char* key : {".MP3", "MP3file", ".M3U", "M3Ufile"}) {
            RegDeleteTreeA(HKEY_CLASSES_ROOT, key);
        }
    }
    // A stand-in player file in a folder whose name holds a space.
    static std::string MakePlayer() {
        const auto dir = std::filesystem::temp_directory_path() / "Orvane Player Dir";
        std::filesystem::create_directories(dir);
        const auto file = dir / "WinPlay3.exe";
        std::ofstream(file) << "x";
        return file.string();
    }
    RegistryClassesRegistry reg;
    FakeAssociationHost host;
};

TEST_F(RegistryAssociationTest, AskPlayerLocationWritesBothExtensions) {
    host.answer = "C:\\MP3\\winplay3.exe";
    ASSERT_TRUE(AskPlayerLocation(reg, host));
    EXPECT_EQ(reg.ReadValue(".MP3", "Content Type"), "audio/x-mpeg");
    EXPECT_EQ(reg.ReadValue(".M3U", "Content Type"), "audio/x-mpegurl");
    EXPECT_EQ(reg.ReadValue(".MP3", ""), "MP3file");
    EXPECT_EQ(reg.ReadValue("M3Ufile\\shell\\open\\command", ""), "C:\\MP3\\winplay3.exe %1");
    const TFileTypeInfo info = GetFileTypeInfo(reg, "MP3");
    EXPECT_EQ(info.description, "MPEG Layer3 Audio Files");
    EXPECT_EQ(info.command, "C:\\MP3\\winplay3.exe");
}

// Finds files on the disk, as the desktop host does, and answers everything else.
class DiskAssociationHost : public FakeAssociationHost {
public:
    bool FileExists(const std::string& path) const override {
        return std::filesystem::is_regular_file(path);
    }
};

TEST_F(RegistryAssociationTest, PlayerInFolderWithSpaceIsRecognisedWithoutAsking) {
    const std::string player = MakePlayer();
    ASSERT_TRUE(SetFileTypeInfo(reg, "MP3", "", "MPEG Layer3 Audio Files",
                                OpenCommandFor(player), "audio/x-mpeg"));
    DiskAssociationHost disk;
    EXPECT_TRUE(CheckAssociation(reg, disk));
    EXPECT_EQ(disk.dialogsShown, 0);
    EXPECT_TRUE(disk.messages.empty());
    EXPECT_EQ(reg.ReadValue("M3Ufile\\shell\\open\\command", ""), "\"" + player + "\" %1");
    EXPECT_EQ(GetFileTypeInfo(reg, "M3U").command, player);
}

TEST_F(RegistryAssociationTest, SecondCheckFindsBothAndDoesNothing) {
    host.answer = "C:\\MP3\\winplay3.exe";
    ASSERT_TRUE(AskPlayerLocation(reg, host));
    FakeAssociationHost second;
    EXPECT_TRUE(CheckAssociation(reg, second));
    EXPECT_TRUE(second.messages.empty());
}

TEST_F(RegistryAssociationTest, MissingAssociationAsksForThePlayer) {
    host.answer = std::nullopt;
    EXPECT_FALSE(CheckAssociation(reg, host));
    EXPECT_EQ(host.dialogsShown, 1);
    EXPECT_FALSE(reg.KeyExists(".MP3"));
}

// The build folder is a Unix path; Wine shows it as drive Z:.
std::filesystem::path ProbeProgram() {
    std::string path = OPEN_COMMAND_PROBE;
    for (char& c : path) {
        if (c == '/') c = '\\';
    }
    return std::filesystem::path("Z:" + path);
}

TEST_F(RegistryAssociationTest, ShellStartsPlayerWhosePathHoldsASpace) {
    const auto dir = std::filesystem::temp_directory_path() / "Orvane Shell Test";
    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
    std::filesystem::create_directories(dir);
    const auto player = dir / "winplay3.exe";
    std::filesystem::copy_file(ProbeProgram(), player);
    const auto song = std::filesystem::temp_directory_path() / "probe-song.mp3";
    std::ofstream(song) << "x";

    host.answer = player.string();
    ASSERT_TRUE(AskPlayerLocation(reg, host));
    const auto result = reinterpret_cast<INT_PTR>(ShellExecuteA(
        nullptr, "open", song.string().c_str(), "", "", SW_HIDE));
    EXPECT_GT(result, 32) << "ShellExecute result " << result;

    const auto out = dir / "probe.out";
    for (int wait = 0; wait < 100 && !std::filesystem::exists(out); ++wait) Sleep(100);
    Sleep(200);  // let the probe finish writing
    std::string commandLine;
    {
        std::ifstream in(out);
        commandLine.assign(std::istreambuf_iterator<char>(in), {});
    }
    EXPECT_NE(commandLine.find("probe-song.mp3"), std::string::npos) << commandLine;
    std::filesystem::remove_all(dir, ignored);
    std::filesystem::remove(song, ignored);
}

}  // namespace
}  // namespace orvane
