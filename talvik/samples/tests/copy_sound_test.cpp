#include "copy_sound.h"

#include <gtest/gtest.h>

#include "file_error.h"
#include "sample_conversion.h"
#include "temp_dir.h"

namespace talvik {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;
using F = SampleFormat;

// Bytes that differ at every position within a block, so a misplaced block shows.
std::vector<std::uint8_t> Pattern(std::size_t bytes) {
    std::vector<std::uint8_t> out(bytes);
    for (std::size_t i = 0; i < bytes; ++i) {
        out[i] = static_cast<std::uint8_t>((i * 7 + i / 251) & 0xFF);
    }
    return out;
}

std::vector<std::uint8_t> Expected(const std::vector<std::uint8_t>& track, std::int64_t start,
                                   std::int64_t end, F load, F save) {
    const int bps = BytesPerSample(load);
    std::vector<std::uint8_t> slice(track.begin() + start * bps, track.begin() + end * bps);
    std::vector<std::uint8_t> out(slice.size());
    out.resize(ConvertBlock(load, save, slice.data(), slice.size(), out.data()));
    return out;
}

TEST(CopySound, BlockBoundariesForEveryPair) {
    TempDir dir;
    const auto track = Pattern(1000000);
    const std::string trackName = dir.file("track01.RAW");
    WriteBytes(trackName, track);
    TrackFile file(trackName);
    CopyBuffer buffer;
    struct Pair {
        F load, save;
    } pairs[] = {{F::Raw8, F::Raw8},   {F::Raw8, F::Wav8},  {F::Wav8, F::Raw8}, {F::Wav8, F::Wav8},
                 {F::Bit16, F::Bit16}, {F::Bit16, F::Raw8}, {F::Bit16, F::Wav8}};
    // Lengths around one and two copy blocks (30000 bytes, 15000 16-bit samples) and
    // around one read of several blocks.
    const std::int64_t b = static_cast<std::int64_t>(CopyBuffer::kBytes);
    const std::int64_t lengths[] = {0,     1,     14999, 15000,     15001, 29999, 30000, 30001,
                                    60000, 60001, b / 2, b / 2 + 1, b - 1, b,     b + 1, 2 * b};
    for (const Pair& p : pairs) {
        for (std::int64_t length : lengths) {
            const std::int64_t start = 3;
            const std::string out = dir.file("out.bin");
            CopySound(file, start, start + length, p.load, p.save, out, false, buffer);
            EXPECT_EQ(ReadBytes(out), Expected(track, start, start + length, p.load, p.save))
                << Caption(p.load) << " to " << Caption(p.save) << ", length " << length;
        }
    }
}

TEST(CopySound, ThirtyThousandSamplesOf8BitGiveThirtyThousandBytes) {
    TempDir dir;
    WriteBytes(dir.file("t"), Pattern(40000));
    TrackFile file(dir.file("t"));
    CopyBuffer buffer;
    CopySound(file, 0, 30000, F::Raw8, F::Raw8, dir.file("o"), false, buffer);
    EXPECT_EQ(ReadBytes(dir.file("o")).size(), 30000u);
}

TEST(CopySound, RiffHeaderBytesAreSamples) {
    TempDir dir;
    std::vector<std::uint8_t> track(45, 0x11);
    track[0] = 'R';
    track[1] = 'I';
    track[2] = 'F';
    track[3] = 'F';
    track[44] = 0x90;
    WriteBytes(dir.file("track01.WAV"), track);
    TrackFile file(dir.file("track01.WAV"));
    CopyBuffer buffer;
    CopySound(file, 0, 45, F::Wav8, F::Wav8, dir.file("o"), false, buffer);
    EXPECT_EQ(ReadBytes(dir.file("o")), track);
}

TEST(CopySound, TrackShorterThanSoundIsAnErrorAndKeepsTheOldFile) {
    TempDir dir;
    WriteBytes(dir.file("t"), Pattern(40000));
    const std::vector<std::uint8_t> old = {1, 2, 3};
    WriteBytes(dir.file("o"), old);
    TrackFile file(dir.file("t"));
    CopyBuffer buffer;
    // The second block comes back short: no stale buffer bytes may reach a file.
    EXPECT_THROW(CopySound(file, 5000, 45000, F::Raw8, F::Raw8, dir.file("o"), false, buffer),
                 FileError);
    EXPECT_EQ(ReadBytes(dir.file("o")), old);
    EXPECT_FALSE(testing::FileExists(dir.file("o.tmp")));
    EXPECT_THROW(CopySound(file, 5000, 45000, F::Raw8, F::Raw8, dir.file("new"), false, buffer),
                 FileError);
    EXPECT_FALSE(testing::FileExists(dir.file("new")));
}

TEST(CopySound, ReplacesAnExistingFile) {
    TempDir dir;
    const auto track = Pattern(1000);
    WriteBytes(dir.file("t"), track);
    WriteBytes(dir.file("o"), Pattern(5000));
    TrackFile file(dir.file("t"));
    CopyBuffer buffer;
    CopySound(file, 10, 20, F::Raw8, F::Raw8, dir.file("o"), false, buffer);
    EXPECT_EQ(ReadBytes(dir.file("o")), Expected(track, 10, 20, F::Raw8, F::Raw8));
}

TEST(CopySound, MissingDirectoryIsAnErrorNamingTheFile) {
    TempDir dir;
    WriteBytes(dir.file("t"), Pattern(100));
    TrackFile file(dir.file("t"));
    CopyBuffer buffer;
    const std::string out = dir.file("missing") + kDirSeparator + "o";
    try {
        CopySound(file, 0, 10, F::Raw8, F::Raw8, out, false, buffer);
        FAIL() << "no error";
    } catch (const FileError& e) {
        EXPECT_NE(std::string(e.what()).find(out), std::string::npos) << e.what();
    }
}

TEST(CopySound, MaximizeScalesTheWholeSoundByItsPeak) {
    TempDir dir;
    // A quiet 16-bit sound spread over two copy blocks; its peak is in the second.
    std::vector<std::uint8_t> track;
    for (int i = 0; i < 20000; ++i) {
        const int s = i == 19000 ? -2000 : (i % 2 == 0 ? 1000 : -1000);
        const auto u = static_cast<std::uint16_t>(static_cast<std::int16_t>(s));
        track.push_back(static_cast<std::uint8_t>(u & 0xFF));
        track.push_back(static_cast<std::uint8_t>(u >> 8));
    }
    WriteBytes(dir.file("t"), track);
    TrackFile file(dir.file("t"));
    CopyBuffer buffer;
    CopySound(file, 0, 20000, F::Bit16, F::Raw8, dir.file("o"), true, buffer);
    const auto out = ReadBytes(dir.file("o"));
    ASSERT_EQ(out.size(), 20000u);
    EXPECT_EQ(static_cast<std::int8_t>(out[19000]), -128);  // -32767 >> 8
    EXPECT_EQ(static_cast<std::int8_t>(out[0]), 64);        // 16384 >> 8
    CopySound(file, 0, 20000, F::Bit16, F::Raw8, dir.file("plain"), false, buffer);
    EXPECT_EQ(static_cast<std::int8_t>(ReadBytes(dir.file("plain"))[0]), 3);  // 1000 >> 8
}

TEST(TrackFile, MissingFileIsAnErrorNamingIt) {
    TempDir dir;
    try {
        TrackFile file(dir.file("track09.RAW"));
        FAIL() << "no error";
    } catch (const FileError& e) {
        EXPECT_NE(std::string(e.what()).find("track09.RAW"), std::string::npos);
    }
    EXPECT_FALSE(TrackFileExists(dir.file("track09.RAW")));
    EXPECT_FALSE(TrackFileExists(dir.text()));
}

}  // namespace
}  // namespace talvik
