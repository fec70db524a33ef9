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
