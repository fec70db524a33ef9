// Names outside ASCII reach the system as the Windows code page spells them.
#include <gtest/gtest.h>

#include <filesystem>

#include "binary_file.h"
#include "file_replace.h"
#include "system_path.h"
#include "wave_test_files.h"

namespace brevant {
namespace {

// "café ’s" in the Windows code page: é is 0xE9, the typographic apostrophe 0x92.
const std::string kAnsiName = "caf\xE9 \x92s";

std::filesystem::path spelledBySystem(const testing::TempDir& dir) {
#ifdef _WIN32
    return std::filesystem::path(dir.file("")) / L"caf\u00e9 \u2019s";
#else
    return std::filesystem::path(dir.file("")) / kAnsiName;
#endif
}

TEST(SystemPath, AnsiNamesReachTheFileTheSystemSpellsSo) {
    testing::TempDir dir;
    // Joined as text: the helper's own std::filesystem join would convert it.
    const std::string folder = dir.file("") + kAnsiName;
    ASSERT_TRUE(std::filesystem::create_directory(systemPath(folder)));
    const std::filesystem::path expected = spelledBySystem(dir);
    EXPECT_TRUE(std::filesystem::is_directory(expected));

    const std::string file = folder + "/take.wav";
    BinaryFile out;
    ASSERT_TRUE(out.open(file, BinaryFile::Mode::CreateWrite));
    ASSERT_TRUE(out.write("RIFF", 4));
    ASSERT_TRUE(out.close());
    EXPECT_TRUE(std::filesystem::exists(expected / "take.wav") && fileExists(file));
    EXPECT_TRUE(sameFile(file, folder + "/./take.wav"));

    ASSERT_EQ(replaceFileContents(file, {1, 2, 3}), ReplaceResult::Done);
    std::vector<std::uint8_t> bytes;
    EXPECT_TRUE(readWholeFile(file, bytes) && bytes.size() == 3);
    EXPECT_TRUE(removeFile(file));
    EXPECT_FALSE(fileExists(file) || readWholeFile(file, bytes));
}

}  // namespace
}  // namespace brevant
