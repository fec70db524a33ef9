#include "id3v2_tag.h"

#include <gtest/gtest.h>

#include "genre_list.h"
#include "mp3_builder.h"
#include "song_file.h"

namespace orvane {
namespace {

using test::TBytes;

TBytes Text(std::string_view s) {
    return TBytes(s.begin(), s.end());
}

// One frame of `version` with its header.
TBytes Frame(int version, std::string_view id, const TBytes& data, std::uint8_t format = 0) {
    TBytes f = Text(id);
    const auto n = static_cast<std::uint32_t>(data.size());
    if (version == 2) {
        for (int s : {16, 8, 0}) f.push_back(static_cast<std::uint8_t>(n >> s));
    } else {
        const int bits = version == 4 ? 7 : 8;
        for (int i = 3; i >= 0; --i)
            f.push_back(static_cast<std::uint8_t>((n >> (i * bits)) & ((1u << bits) - 1)));
        f.push_back(0);
        f.push_back(format);
    }
    f.insert(f.end(), data.begin(), data.end());
    return f;
}

TBytes Latin1(std::string_view s) {
    return test::Join({{0}, Text(s)});
}

// A tag of `version` around `body`, `padding` zeros after it.
TBytes Tag(int version, const TBytes& body, std::size_t padding = 0, std::uint8_t flags = 0) {
    const auto size = static_cast<std::uint32_t>(body.size() + padding);
    TBytes t = {'I', 'D', '3', static_cast<std::uint8_t>(version), 0, flags};
    for (int i = 3; i >= 0; --i) t.push_back(static_cast<std::uint8_t>((size >> (i * 7)) & 0x7F));
    t.insert(t.end(), body.begin(), body.end());
    t.resize(t.size() + padding, 0);
    if (flags & 0x10)
        t.insert(t.end(), {'3', 'D', 'I', static_cast<std::uint8_t>(version), 0, flags, t[6], t[7],
                           t[8], t[9]});
    return t;
}

// A zero after every 0xFF, as a writer unsynchronises a whole 2.3 tag body.
TBytes Unsynchronised(const TBytes& body) {
    TBytes out;
    for (const std::uint8_t b : body) {
        out.push_back(b);
        if (b == 0xFF)
            out.push_back(0);
    }
    return out;
}

TLatin1TagTextCodec codec;

struct TReadCase {
    const char* name;
    TBytes tag;
    TTagRecord values;
    std::string genreText;
};

void PrintTo(const TReadCase& c, std::ostream* os) {
    *os << c.name;
}

TTagRecord Values(std::string title, std::string artist, std::string album, std::string year,
                  std::string comment, std::uint8_t genre) {
    return {std::move(title), std::move(artist),  std::move(album),
            std::move(year),  std::move(comment), genre};
}

const TReadCase kReadCases[] = {
    {"v22_latin1_genre_number_in_parentheses",
     Tag(2,
         test::Join({Frame(2, "TT2", Latin1("Title")), Frame(2, "TP1", Latin1("Artist")),
                     Frame(2, "TAL", Latin1("Album")), Frame(2, "TYE", Latin1("1999")),
                     Frame(2, "TCO", Latin1("(17)")),
                     Frame(2, "COM", Text(std::string("\0eng\0Note", 9)))}),
         40),
     Values("Title", "Artist", "Album", "1999", "Note", 17), "(17)"},
    {"v23_utf16_with_bom_and_the_comment_without_description",
     Tag(3, test::Join({Frame(3, "TIT2",
                              {1, 0xFF, 0xFE, 'C', 0, 'a', 0, 'f', 0, 0xE9, 0, ' ', 0, 0x05, 0x26}),
                        Frame(3, "COMM", Text(std::string("\0engdesc\0Other", 14))),
                        Frame(3, "COMM", Text(std::string("\0eng\0Mine", 9))),
                        Frame(3, "TCON", Latin1("rock"))})),
     Values("Caf\xE9 ?", "", "", "", "Mine", 17), "rock"},
    {"v24_utf8_utf16be_year_of_tdrc_footer",
     Tag(4,
         test::Join({Frame(4, "TIT2", test::Join({{3}, Text("na\xC3\xAFve")})),
                     Frame(4, "TPE1", {2, 0, 'A', 0, 'B'}), Frame(4, "TDRC", Latin1("2004-05-06")),
                     Frame(4, "TCON", Latin1("Synthwave"))}),
         0, 0x10),
     Values("na\xEFve", "AB", "", "2004", "", kNoGenre), "Synthwave"},
    {"v23_unsynchronised", Tag(3, Unsynchronised(Frame(3, "TIT2", {0, 'a', 0xFF, 'b'})), 0, 0x80),
     Values("a\xFF"
            "b",
            "", "", "", "", kNoGenre),
     ""},
    {"v23_extended_header_skipped",
     Tag(3, test::Join({{0, 0, 0, 6, 0, 0, 0, 0, 0, 0}, Frame(3, "TALB", Latin1("Album"))}), 10,
         0x40),
     Values("", "", "Album", "", "", kNoGenre), ""},
    {"v23_compressed_and_encrypted_frames_skipped",
     Tag(3,
         test::Join({Frame(3, "TIT2", Latin1("zipped"), 0x80),
                     Frame(3, "TPE1", Latin1("secret"), 0x40), Frame(3, "TIT2", Latin1("Plain"))})),
     Values("Plain", "", "", "", "", kNoGenre), ""},
    {"v24_frame_unsynchronised_with_data_length",
     Tag(4, Frame(4, "TIT2", {0, 0, 0, 3, 0, 'x', 0xFF, 0x00}, 0x03)),
     Values("x\xFF", "", "", "", "", kNoGenre), ""},
};

class Id3v2ReadTest : public ::testing::TestWithParam<TReadCase> {};

TEST_P(Id3v2ReadTest, ReadsTheSixValues) {
    const auto tag = ParseId3v2Tag(GetParam().tag, codec);
    ASSERT_TRUE(tag);
    EXPECT_EQ(tag->tagLength, GetParam().tag.size());
    EXPECT_EQ(tag->values, GetParam().values);
    EXPECT_EQ(tag->genreText, GetParam().genreText);
}

INSTANTIATE_TEST_SUITE_P(Table, Id3v2ReadTest, ::testing::ValuesIn(kReadCases),
                         [](const auto& param) { return std::string(param.param.name); });

TEST(Id3v2Read, TruncatedTagOrFrameIsNoValue) {
    TBytes tag = Tag(3, Frame(3, "TIT2", Latin1("Title")));
    EXPECT_FALSE(ParseId3v2Tag(TBytes(tag.begin(), tag.end() - 1), codec)) << "cut tag";
    tag[13] = 0x7F;  // the frame claims more than the tag holds
    const auto parsed = ParseId3v2Tag(tag, codec);
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->values.title, "");
    EXPECT_EQ(GenreFromText("(99)"), kNoGenre);
    EXPECT_EQ(GenreFromText("42"), 42);
}

class Id3v2WriteTest : public ::testing::Test {
  protected:
    // A tag with the title, a frame we never edit, then the audio and no ID3v1 tag.
    void Make(std::size_t padding, int version = 3, std::uint8_t flags = 0) {
        kept = Frame(version, "PRIV", Text(std::string("owner\0\x01\xFF\x00", 9)));
        tag =
            Tag(version, test::Join({Frame(version, "TIT2", Latin1("Old")), kept}), padding, flags);
        audio = test::Frames({}, 417, 6);
        path = folder.Write("song.mp3", test::Join({tag, audio})).string();
    }
    TSongFileInfo Info() { return ReadSongFileInfo(path, codec); }

    test::TTempFolder folder;
    TBytes kept, tag, audio;
    std::string path;
};

TEST_F(Id3v2WriteTest, FramesThatFitAreWrittenInPlaceKeepingOtherFrames) {
    Make(200);
    const auto values = Values("New title", "Someone", "", "2001", "Hi", 13);
    ASSERT_EQ(WriteSongTags(path, values, codec).result, TWriteTagResult::Written);
    const TBytes file = folder.Read("song.mp3");
    ASSERT_EQ(file.size(), tag.size() + audio.size() + 128);
    EXPECT_TRUE(std::equal(audio.begin(), audio.end(),
                           file.begin() + static_cast<std::ptrdiff_t>(tag.size())));
    EXPECT_NE(std::search(file.begin(), file.end(), kept.begin(), kept.end()), file.end())
        << "PRIV kept byte for byte";
    const TSongFileInfo info = Info();
    ASSERT_TRUE(info.id3v2 && info.tag);
    EXPECT_EQ(info.id3v2->values, values);
    EXPECT_EQ(info.tag->title, "New title");
}

TEST_F(Id3v2WriteTest, FramesThatDoNotFitRewriteTheFileWithTheSameAudio) {
    Make(0, 4, 0x10);
    const auto values = Values(std::string(300, 'T'), "", "", "", "", kNoGenre);
    ASSERT_EQ(WriteSongTags(path, values, codec).result, TWriteTagResult::Written);
    const TBytes file = folder.Read("song.mp3");
    const auto parsed = ParseId3v2Tag(file, codec);
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->values.title, values.title);
    ASSERT_EQ(file.size(), parsed->tagLength + audio.size() + 128);
    EXPECT_TRUE(std::equal(audio.begin(), audio.end(),
                           file.begin() + static_cast<std::ptrdiff_t>(parsed->tagLength)));
    EXPECT_FALSE(std::filesystem::exists(path + ".tmp~"));
    EXPECT_EQ(Info().tag->title, std::string(30, 'T')) << "cut only in the ID3v1 tag";
}

TEST_F(Id3v2WriteTest, UnchangedValuesLeaveTheTagAsItWas) {
    Make(64);
    const auto before = Info().id3v2->values;
    ASSERT_EQ(WriteId3v2Values(path, before, codec).result, TWriteTagResult::Written);
    EXPECT_EQ(folder.Read("song.mp3"), test::Join({tag, audio}));
}

}  // namespace
}  // namespace orvane
