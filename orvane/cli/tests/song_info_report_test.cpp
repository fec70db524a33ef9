#include "song_info_report.h"
#include "mp3_builder.h"

#include <gtest/gtest.h>

#include <cstring>

namespace orvane {
namespace {

using namespace test;

const TFrameSpec kCbr128{3, 1, 9, 0, false, false};

TEST(SongInfoReport, TaggedFileShowsEveryLine) {
    TTempFolder folder;
    TBytes tag = Id3v1Tag("Title", 17);
    std::memcpy(tag.data() + 33, "Artist", 6);
    std::memcpy(tag.data() + 93, "1999", 4);
    const auto path =
        folder.Write("a.mp3", Join({Id3v2Tag(3000), FramesOfSize(kCbr128, 417, 3'840'000), tag}));
    const std::string name = path.string();
    EXPECT_EQ(SongInfoReport(name, ReadSongFileInfo(name)), "file: " + name +
                                                                "\n"
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

TEST(SongInfoReport, UntaggedMpeg2FileAndUnknownGenre) {
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
    EXPECT_NE(text.find("version: 2.0\nlayer: III\nbitrate: 64\nfrequency: 22.05 kHz\ntag: no\n\n"),
              std::string::npos);
    info.tag = TTagRecord{};
    EXPECT_NE(SongInfoReport("b.mp3", info).find("genre: 255\n"), std::string::npos);
}

TEST(RunSongInfo, UnreadableFileGivesZeroSecondsAndStatusOne) {
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
    EXPECT_NE(out.find("good.mp3\nseconds: 0\n"),
              std::string::npos);  // 4,170 bytes: under a second
    EXPECT_NE(error.find("cannot read"), std::string::npos);
    EXPECT_EQ(progressCalls, 2u);
    const std::vector<std::string> onlyGood = {good};
    EXPECT_EQ(RunSongInfo(onlyGood, sinks), 0);
}

}  // namespace
}  // namespace orvane

namespace orvane {
namespace {

// Only an ID3v2 tag: the lines of the ID3 version 1 tag say there is none, the ID3v2 lines
// carry the values under keys naming their tag.
TEST(SongInfoReport, Id3v2ValuesAreShownUnderTheirTagsName) {
    test::TTempFolder folder;
    auto frame = [](std::string_view id, std::string_view text) {
        std::string f(id);
        f += std::string("\0\0\0", 3) + static_cast<char>(text.size() + 1) + std::string(3, '\0');
        f += text;
        return test::TBytes(f.begin(), f.end());
    };
    const test::TBytes body =
        test::Join({frame("TIT2", "Song"), frame("TPE1", "Band"), frame("TCON", "(13)")});
    test::TBytes tag = {'I', 'D', '3', 3, 0, 0, 0, 0, 0, static_cast<std::uint8_t>(body.size())};
    tag.insert(tag.end(), body.begin(), body.end());
    const std::string name =
        folder.Write("v2.mp3", test::Join({tag, test::FramesOfSize(kCbr128, 417, 417 * 10)}))
            .string();
    const std::string text = SongInfoReport(name, ReadSongFileInfo(name));
    EXPECT_NE(
        text.find("tag: no\nid3v2: 2.3\nid3v2 title: Song\nid3v2 artist: Band\nid3v2 album: \n"
                  "id3v2 year: \nid3v2 comment: \nid3v2 genre: 13 Pop\n\n"),
        std::string::npos)
        << text;
}

}  // namespace
}  // namespace orvane
