#include "song_info_report.h"
#include "mp3_builder.h"

#include <gtest/gtest.h>

#include <cstring>

namespace orvane {
namespace {

using namespace test;

const TFrameSpec kCbr128{3, 1, 9, 0, false, false};

TEST(SongInfoReport, TaggedFileShowsEveryLine)
{
    TTempFolder folder;
    TBytes tag = Id3v1Tag("Title", 17);
    std::memcpy(tag.data() + 33, "Artist", 6);
    std::memcpy(tag.data() + 93, "1999", 4);
    const auto path = folder.Write("a.mp3", Join({Id3v2Tag(3000), FramesOfSize(kCbr128, 417, 3'840'000), tag}));
    const std::string name = path.string();
    EXPECT_EQ(SongInfoReport(name, ReadSongFileInfo(name)),
              "file: " + name + "\n"
              "seconds: 240\n"
              "time:  4 mins  0 secs\n"
              "version: 1.0\n"
              "layer: III\n"
              "bitrate: 128\n"
              "frequency: 44.1 kHz\n"
              "tag: yes\n"
              "title: Title\n"
              "artist: Artist\n"
              "album: \n"
              "year: 1999\n"
              "comment: \n"
              "genre: 17 Rock\n"
              "\n");
}

TEST(SongInfoReport, UntaggedMpeg2FileAndUnknownGenre)
{
    TSongFileInfo info;
    info.readable = true;
    info.seconds = 61;
    TMpegInfo header;
    header.Version = TMpegVersion::Mpeg2;
    header.Layer = 3;
    header.BitRateIndex = 8;
    header.FrequencyIndex = 0;
    info.header = header;
    const std::string text = SongInfoReport("b.mp3", info);
    EXPECT_NE(text.find("version: 2.0\nlayer: III\nbitrate: 64\nfrequency: 22.05 kHz\ntag: no\n\n"), std::string::npos);
    info.tag = TTagRecord{};
    EXPECT_NE(SongInfoReport("b.mp3", info).find("genre: 255\n"), std::string::npos);
}

TEST(RunSongInfo, UnreadableFileGivesZeroSecondsAndStatusOne)
{
    TTempFolder folder;
    const std::string good = folder.Write("good.mp3", Frames(kCbr128, 417, 10)).string();
    const std::vector<std::string> files = {(folder.Path() / "missing.mp3").string(), good};
    std::string out, error;
    std::size_t progressCalls = 0;
    const TReportSinks sinks{[&](const std::string& text) { out += text; },
                             [&](const std::string& text) { error += text; },
                             [&](std::size_t, std::size_t) { ++progressCalls; }};
    EXPECT_EQ(RunSongInfo(files, sinks), 1);
    EXPECT_NE(out.find("missing.mp3\nseconds: 0\n"), std::string::npos);
    EXPECT_NE(out.find("good.mp3\nseconds: 0\n"), std::string::npos);  // 4,170 bytes: under a second
    EXPECT_NE(error.find("cannot read"), std::string::npos);
    EXPECT_EQ(progressCalls, 2u);
    const std::vector<std::string> onlyGood = {good};
    EXPECT_EQ(RunSongInfo(onlyGood, sinks), 0);
}

}  // namespace
}  // namespace orvane
