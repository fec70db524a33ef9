// File names holding bytes of the ANSI code page (é 0xE9, ’ 0x92) reach the right files.
#include <gtest/gtest.h>

#include <windows.h>

#include "current_set.h"
#include "memory_settings_store.h"
#include "song_file.h"
#include "song_list.h"
#include "system_path.h"

namespace orvane {
namespace {

TEST(AnsiNamesTest, SongFolderAndSetNamesWithCodePageBytes) {
    if (GetACP() != 1252)
        GTEST_SKIP() << "needs code page 1252, have " << GetACP();
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "Caf\xE9 Music\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string song = folder + "Don\x92t Stop.mp3";
    HANDLE file = CreateFileA(song.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    const std::string junk(2000, 'x');
    DWORD written = 0;
    WriteFile(file, junk.data(), static_cast<DWORD>(junk.size()), &written, nullptr);
    CloseHandle(file);

    EXPECT_TRUE(SongFileExists()(song)) << "Check keeps the song";
    TTagRecord tag;
    tag.title = "Caf\xE9";
    ASSERT_EQ(WriteTag(song, EncodeTag(tag)).result, TWriteTagResult::Written);
    EXPECT_EQ(ReadSongFileInfo(song).tag->title, "Caf\xE9");

    MemorySettingsStore store;
    const std::string setName = "Caf\xE9\x92s";
    TSetFileImage control = DefaultSongListImage({});
    const std::vector<TSongEntry> rows = {MakeSongEntry(folder, "Don\x92t Stop.mp3", 1)};
    SaveCurrentSet(store, SystemPath(folder), setName, control, rows, {});
    EXPECT_NE(GetFileAttributesA((folder + setName + ".OVM").c_str()), INVALID_FILE_ATTRIBUTES);
    const TLoadedSet loaded = LoadCurrentSet(store, SystemPath(folder), setName, true);
    ASSERT_EQ(loaded.image.entries.size(), 1u);
    EXPECT_EQ(loaded.image.entries[0].FullName(), song);
    EXPECT_EQ(SystemPathText(SystemPath(song)), song);

    DeleteFileA((folder + setName + ".OVM").c_str());
    DeleteFileA(song.c_str());
    RemoveDirectoryA(folder.c_str());
}

}  // namespace
}  // namespace orvane
