// Sound files saved onto a full disk, a read-only disk or into a "directory" that
// is a file: the save fails with a message naming the file, the previous sound
// file stays as it was and no temporary file is left.
#include <gtest/gtest.h>

#include "copy_sound.h"
#include "file_error.h"
#include "hostile_disk.h"
#include "temp_dir.h"

namespace talvik {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;
using F = SampleFormat;

std::vector<std::uint8_t> Ramp(std::size_t bytes) {
    std::vector<std::uint8_t> out(bytes);
    for (std::size_t i = 0; i < bytes; ++i) out[i] = static_cast<std::uint8_t>(i * 13);
    return out;
}

// Copies the whole track to `out`; returns the error text, empty when it worked.
std::string SaveSound(const std::string& track, const std::string& out) {
    TrackFile file(track);
    CopyBuffer buffer;
    try {
        CopySound(file, 0, file.sizeBytes(), F::Raw8, F::Raw8, out, false, buffer);
    } catch (const FileError& e) {
        return e.what();
    }
    return {};
}

TEST(HostileSave, FullDiskKeepsThePreviousSoundFile) {
    if (!hostile::FileSizeLimit::IsSupported()) GTEST_SKIP() << "no file size limit here";
    TempDir dir;
    WriteBytes(dir.file("track01.RAW"), Ramp(100000));
    const auto previous = Ramp(5000);
    WriteBytes(dir.file("s01.RAW"), previous);
    std::string error;
    {
        hostile::FileSizeLimit limit(10000);
        ASSERT_TRUE(limit.active());
        error = SaveSound(dir.file("track01.RAW"), dir.file("s01.RAW"));
    }
    EXPECT_NE(error.find(dir.file("s01.RAW")), std::string::npos) << error;
    EXPECT_EQ(ReadBytes(dir.file("s01.RAW")), previous);
    EXPECT_EQ(hostile::FileNamesIn(dir.text()), (std::vector<std::string>{"s01.RAW", "track01.RAW"}));
}

TEST(HostileSave, DirectoryThatIsAFileIsAnErrorNamingTheSound) {
    TempDir dir;
    WriteBytes(dir.file("track01.RAW"), Ramp(100));
    WriteBytes(dir.file("notadir"), {1});
    const std::string out = dir.file("notadir") + kDirSeparator + "s01.RAW";
    const std::string error = SaveSound(dir.file("track01.RAW"), out);
    EXPECT_NE(error.find(out), std::string::npos) << error;
    EXPECT_EQ(ReadBytes(dir.file("notadir")), std::vector<std::uint8_t>{1});
}

TEST(HostileSave, ReadOnlyDiskKeepsThePreviousSoundFile) {
    TempDir dir;
    WriteBytes(dir.file("track01.RAW"), Ramp(1000));
    hostile::SmallDisk disk(dir.file("disk"));
    if (!disk.mounted()) GTEST_SKIP() << "mounting a small disk is not allowed here";
    const std::string out = (disk.dir() / "s01.RAW").string();
    const auto previous = Ramp(300);
    WriteBytes(out, previous);
    ASSERT_TRUE(disk.makeReadOnly());
    const std::string error = SaveSound(dir.file("track01.RAW"), out);
    EXPECT_NE(error.find(out), std::string::npos) << error;
    EXPECT_EQ(ReadBytes(out), previous);
}

TEST(HostileSave, FilledDiskKeepsThePreviousSoundFile) {
    TempDir dir;
    WriteBytes(dir.file("track01.RAW"), Ramp(200000));
    hostile::SmallDisk disk(dir.file("disk"));
    if (!disk.mounted()) GTEST_SKIP() << "mounting a small disk is not allowed here";
    const std::string out = (disk.dir() / "s01.RAW").string();
    const auto previous = Ramp(3000);
    WriteBytes(out, previous);
    disk.fill();
    const std::string error = SaveSound(dir.file("track01.RAW"), out);
    EXPECT_NE(error.find(out), std::string::npos) << error;
    EXPECT_EQ(ReadBytes(out), previous);
    EXPECT_EQ(hostile::FileNamesIn(disk.dir()), (std::vector<std::string>{"filler", "s01.RAW"}));
}

}  // namespace
}  // namespace talvik
