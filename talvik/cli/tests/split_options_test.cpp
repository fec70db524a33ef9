#include "split_options.h"

#include <gtest/gtest.h>

namespace talvik {
namespace {

using F = SampleFormat;

ParsedOptions Parse(std::vector<std::string> args) {
    return ParseSplitOptions(args);
}

TEST(SplitOptions, DefaultsAreTheWindows) {
    const ParsedOptions p = Parse({});
    ASSERT_EQ(p.error, "");
    const SplitterSettings& s = p.options.settings;
    EXPECT_EQ(s.sourceDir, "");
    EXPECT_EQ(s.saveDir, "");
    EXPECT_EQ(s.createDir, "TRACK");
    EXPECT_EQ(s.savePrefix, "SAMPLE");
    EXPECT_EQ(s.saveSuffix, "RAW");  // follows the save format, which follows the load format
    EXPECT_EQ(s.load, F::Raw8);
    EXPECT_EQ(s.save, F::Raw8);
    EXPECT_EQ(s.noisePercent, 5);
    EXPECT_EQ(s.silence, 2000);
    EXPECT_EQ(s.minSize, 1000);
    EXPECT_TRUE(s.autoSkip);
    EXPECT_FALSE(s.maximize);
    EXPECT_FALSE(s.deleteProcessed);
    EXPECT_EQ(s.startTrack, 1);
    EXPECT_EQ(s.endTrack, 1);
    EXPECT_FALSE(p.options.analyzeOnly);
}

TEST(SplitOptions, EveryOption) {
    const ParsedOptions p = Parse({"--source",
                                   "in/",
                                   "--dest",
                                   "out/",
                                   "--createdir",
                                   "TR",
                                   "--prefix",
                                   "S",
                                   "--load",
                                   "16",
                                   "--save",
                                   "16",
                                   "--noise",
                                   "20",
                                   "--silence",
                                   "700000",
                                   "--minsize",
                                   "65536",
                                   "--no-auto-skip",
                                   "--maximize",
                                   "--delete-processed",
                                   "--start",
                                   "3",
                                   "--end",
                                   "9",
                                   "--analyze-only"});
    ASSERT_EQ(p.error, "");
    const SplitterSettings& s = p.options.settings;
    EXPECT_EQ(s.sourceDir, "in/");
    EXPECT_EQ(s.saveDir, "out/");
    EXPECT_EQ(s.createDir, "TR");
    EXPECT_EQ(s.savePrefix, "S");
    EXPECT_EQ(s.saveSuffix, "RAW");  // chosen with the 16-bit save format
    EXPECT_EQ(s.load, F::Bit16);
    EXPECT_EQ(s.save, F::Bit16);
    EXPECT_EQ(s.noisePercent, 20);
    EXPECT_EQ(s.silence, 700000);
    EXPECT_EQ(s.minSize, 65536);
    EXPECT_FALSE(s.autoSkip);
    EXPECT_TRUE(s.maximize);
    EXPECT_TRUE(s.deleteProcessed);
    EXPECT_EQ(s.startTrack, 3);
    EXPECT_EQ(s.endTrack, 9);
    EXPECT_TRUE(p.options.analyzeOnly);
}

TEST(SplitOptions, SuffixFollowsSaveFormatUnlessGiven) {
    EXPECT_EQ(Parse({"--save", "8wav"}).options.settings.saveSuffix, "WAV");
    EXPECT_EQ(Parse({"--save", "8raw"}).options.settings.saveSuffix, "RAW");
    EXPECT_EQ(Parse({"--suffix", "SND", "--save", "8raw"}).options.settings.saveSuffix, "SND");
    EXPECT_EQ(Parse({"--load", "8wav"}).options.settings.saveSuffix, "WAV");
}

TEST(SplitOptions, SaveFormatFollowsLoadUnlessGiven) {
    EXPECT_EQ(Parse({"--load", "16"}).options.settings.save, F::Bit16);
    EXPECT_EQ(Parse({"--load", "8wav"}).options.settings.save, F::Wav8);
    EXPECT_EQ(Parse({"--load", "16", "--save", "8raw"}).options.settings.save, F::Raw8);
}

TEST(SplitOptions, EndFollowsStartWhenNotGiven) {
    EXPECT_EQ(Parse({"--start", "7"}).options.settings.endTrack, 7);
}

TEST(SplitOptions, BadCommandLines) {
    struct Case {
        std::vector<std::string> args;
        const char* inError;
    } cases[] = {
        {{"--frobnicate"}, "unknown option"},
        {{"--noise"}, "needs a value"},
        {{"--noise", "101"}, "0 to 100"},
        {{"--noise", "-1"}, "0 to 100"},
        {{"--silence", "1000001"}, "0 to 1000000"},
        {{"--minsize", "12x"}, "0 to 1000000"},
        {{"--start", "0"}, "1 to 99"},
        {{"--end", "100"}, "1 to 99"},
        {{"--load", "24"}, "8raw, 8wav or 16"},
        {{"--save", "16"}, "needs --load 16"},
        {{"--load", "8wav", "--save", "16"}, "needs --load 16"},
        {{"--start", "5", "--end", "3"}, "below --start"},
    };
    for (const Case& c : cases) {
        const ParsedOptions p = Parse(c.args);
        EXPECT_NE(p.error.find(c.inError), std::string::npos) << c.args[0] << ": " << p.error;
    }
}

}  // namespace
}  // namespace talvik
