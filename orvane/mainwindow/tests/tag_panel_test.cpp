#include "tag_panel.h"

#include <gtest/gtest.h>

#include <map>

namespace orvane {
namespace {

TSongFileInfo Tagged(const char* title, bool header = true) {
    TSongFileInfo info;
    info.readable = true;
    if (header) {
        info.seconds = 10;
        info.header = TMpegInfo{};
    }
    TTagRecord tag;
    tag.title = title;
    tag.genre = 17;
    info.tag = tag;
    return info;
}

TEST(TagPanel, EditingMarksModifiedAndSaveDecides) {
    TTagPanel panel;
    panel.Show("a.mp3", Tagged("One"), false);
    EXPECT_EQ(panel.StatusText(), "");
    EXPECT_EQ(panel.SaveDecision(false, false), TSaveDecision::Nothing);
    TTagBoxes edited = panel.Boxes();
    edited.title = "Two";
    panel.Edited(edited);
    EXPECT_EQ(panel.StatusText(), "Modified");
    EXPECT_EQ(panel.SaveDecision(false, false), TSaveDecision::Ask);
    EXPECT_EQ(panel.SaveDecision(false, true), TSaveDecision::Write);
    EXPECT_EQ(panel.SaveDecision(true, false), TSaveDecision::Write);
    EXPECT_EQ(panel.RecordToWrite().title, "Two");
    panel.Saved();
    EXPECT_FALSE(panel.SaveEnabled());
}

TEST(TagPanel, ReadOnlyFileCannotBeModified) {
    TTagPanel panel;
    panel.Show("a.mp3", Tagged("One"), true);
    EXPECT_EQ(panel.StatusText(), "Read Only");
    panel.Edited(panel.Boxes());
    EXPECT_FALSE(panel.SaveEnabled());
    EXPECT_FALSE(panel.Paste("x"));
}

TEST(TagPanel, UndoKeepsTheLastTagReadAcrossUntaggedFiles) {
    TTagPanel panel;
    panel.Show("a.mp3", Tagged("One"), false);
    panel.Show("b.mp3", TSongFileInfo{}, false);
    EXPECT_EQ(panel.Boxes(), TTagBoxes{});
    panel.Undo();
    EXPECT_EQ(panel.Boxes().title, "One");
}

TEST(TagPanel, UndecodableFrameStillShowsTheTagWithEmptyHeader) {
    TTagPanel panel;
    panel.Show("a.mp3", Tagged("One"), false);
    panel.Show("junk.mp3", Tagged("Junk", false), false);
    EXPECT_EQ(panel.Boxes().title, "Junk");
    EXPECT_EQ(panel.Header().version, "");
}

TEST(TagPanel, CopyEnablesPasteAndRoundTrips) {
    TTagPanel panel;
    panel.Show("a.mp3", Tagged("One"), false);
    EXPECT_FALSE(panel.PasteEnabled());
    const std::string text = panel.Copy();
    EXPECT_TRUE(panel.PasteEnabled());
    panel.New();
    EXPECT_EQ(panel.Boxes(), TTagBoxes{});
    EXPECT_TRUE(panel.Paste(text));
    EXPECT_EQ(panel.Boxes().title, "One");
    EXPECT_EQ(panel.Boxes().genre, 17);
}

// Which tag fills the boxes (and the Undo copy), and the status text naming it.
TEST(TagPanel, TheBoxesShowTheId3v1TagElseTheId3v2Tag) {
    const auto v2 = [](int version) {
        TId3v2Tag tag;
        tag.version = version;
        tag.values.title = "Two";
        return tag;
    };
    struct {
        std::optional<TTagRecord> v1;
        std::optional<TId3v2Tag> v2;
        const char* title;
        const char* kind;
    } cases[] = {{Tagged("One").tag, {}, "One", "ID3v1 tag"},
                 {Tagged("One").tag, v2(3), "One", "ID3v1 tag"},
                 {{}, v2(3), "Two", "ID3v2.3 tag"},
                 {{}, v2(4), "Two", "ID3v2.4 tag"},
                 {{}, {}, "", "No tag"}};
    for (const auto& c : cases) {
        TTagPanel panel;
        panel.Show("z.mp3", Tagged("Undo"), false);
        panel.Show("a.mp3", {true, {}, 0, {}, c.v1, c.v2}, false);
        EXPECT_EQ(panel.TagKindText(), c.kind);
        panel.Undo();
        EXPECT_EQ(panel.Boxes().title, *c.title ? c.title : "Undo") << c.kind;
    }
    EXPECT_EQ(TTagPanel{}.TagKindText(), "") << "no file shown";
}

// A box showing the ID3v2 value, whole or as the ID3v1 tag cut it, keeps the frame's value.
TEST(Id3v2ValuesFromBoxes, KeepTheTagsOwnValueWhereTheBoxShowsIt) {
    const std::string title(40, 'L');
    const TTagRecord own = {title, "Art", "Alb", "2004", "Hi", kNoGenre};
    struct {
        TTagBoxes boxes;
        TTagRecord expected;
    } cases[] = {
        {{std::string(30, 'L'), "Art", "Alb", "2004", "Hi", -1}, own},
        {{"Short", "New", "Alb", "2004", "", 17}, {"Short", "New", "Alb", "2004", "", 17}},
    };
    for (const auto& c : cases) EXPECT_EQ(Id3v2ValuesFromBoxes(c.boxes, own), c.expected);
}

TEST(Lyrics, FirstExistingExtensionWins) {
    const std::map<std::string, std::string> files = {{"C:\\m\\song.LRC", "lrc"},
                                                      {"C:\\m\\song.TXT", "txt"}};
    const auto read = [&](const std::string& name) -> std::optional<std::string> {
        const auto found = files.find(name);
        if (found == files.end())
            return std::nullopt;
        return found->second;
    };
    const std::vector<std::string> order = {"TXT", "DIZ", "LRC"};
    EXPECT_EQ(LoadLyrics("C:\\m\\song.mp3", order, read), "txt");
    EXPECT_EQ(LoadLyrics("C:\\m\\song.mp3", {"DIZ", "LRC"}, read), "lrc");
    EXPECT_EQ(LoadLyrics("C:\\m\\other.mp3", order, read), "File not found.");
    EXPECT_EQ(LyricsCandidate("C:\\a.b\\song", "TXT"), "C:\\a.b\\song.TXT");
}

}  // namespace
}  // namespace orvane
