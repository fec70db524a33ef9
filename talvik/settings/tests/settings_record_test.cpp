#include "settings_record.h"

#include <gtest/gtest.h>

#include "file_error.h"
#include "temp_dir.h"

namespace talvik {
namespace {

using R = SettingsRecord;

R Filled() {
    R r;
    const char* texts[] = {"C:\\REC", "C:\\OUT", "C:\\REC\\", "C:\\OUT\\", "TRACK", "WAV",
                           "SAMPLE",  "3",       "7",         "20",        "2000",  "1000"};
    for (int f = 0; f < R::kFieldCount; ++f) {
        r.set(static_cast<R::Field>(f), texts[f]);
    }
    return r;
}

TEST(SettingsRecord, LayoutIsLengthByteAndFortyCharactersPerField) {
    const auto image = Filled().render();
    ASSERT_EQ(image.size(), 34440u);
    EXPECT_EQ(image[0], 6);
    EXPECT_EQ(image[1], 'C');
    EXPECT_EQ(image[82], 7);  // Sourcedir at 82
    EXPECT_EQ(image[83], 'C');
    EXPECT_EQ(image[164], 5);  // Createdir at 164
    EXPECT_EQ(image[165], 'T');
    EXPECT_EQ(image[287], 1);  // Starttrack at 287
    EXPECT_EQ(image[288], '3');
    EXPECT_EQ(image[451], 4);  // Min. size at 451
    EXPECT_EQ(image[452], '1');
    for (std::size_t i = 492; i < image.size(); ++i) {
        ASSERT_EQ(image[i], 0) << i;
    }
}

TEST(SettingsRecord, StartupAppliesOnlyTheFirstSevenFields) {
    const auto image = Filled().render();
    const R back = R::ParseStartup(image.data(), image.size());
    EXPECT_EQ(back.get(R::kSourceList), "C:\\REC");
    EXPECT_EQ(back.get(R::kSourceDir), "C:\\REC\\");
    EXPECT_EQ(back.get(R::kSavePrefix), "SAMPLE");
    EXPECT_FALSE(back.get(R::kStartTrack).has_value());
    EXPECT_FALSE(back.get(R::kNoise).has_value());
}

TEST(SettingsRecord, LongTextKeepsItsFirstFortyCharacters) {
    R r;
    const std::string dir45 = "C:\\" + std::string(41, 'x') + "\\";
    r.set(R::kSourceDir, dir45);
    const auto image = r.render();
    const R back = R::ParseStartup(image.data(), image.size());
    EXPECT_EQ(back.get(R::kSourceDir), dir45.substr(0, 40));
}

TEST(SettingsRecord, ShortFileIsReadAsFarAsItGoes) {
    const auto image = Filled().render();
    struct Case {
        const char* name;
        std::size_t size;
        int fieldsSet;
        std::string lastText;
    } cases[] = {
        {"empty", 0, 0, ""},
        {"length byte only", 1, 1, ""},
        {"inside the first field", 4, 1, "C:\\"},
        {"two fields and a piece", 86, 3, "C:\\"},
        {"exactly seven fields", 287, 7, "SAMPLE"},
    };
    for (const Case& c : cases) {
        const R back = R::ParseStartup(image.data(), c.size);
        int set = 0;
        for (int f = 0; f < R::kFieldCount; ++f) {
            set += back.get(static_cast<R::Field>(f)).has_value();
        }
        EXPECT_EQ(set, c.fieldsSet) << c.name;
        if (c.fieldsSet > 0) {
            EXPECT_EQ(back.get(static_cast<R::Field>(c.fieldsSet - 1)), c.lastText) << c.name;
        }
    }
}

TEST(SettingsRecord, OversizeLengthByteIsTakenAsForty) {
    auto image = Filled().render();
    image[164] = 200;
    const R back = R::ParseStartup(image.data(), image.size());
    ASSERT_TRUE(back.get(R::kCreateDir).has_value());
    EXPECT_EQ(back.get(R::kCreateDir)->size(), 40u);
    EXPECT_EQ(back.get(R::kSaveSuffix), "WAV");
}

TEST(SettingsFile, RoundTripAndReplace) {
    testing::TempDir dir;
    const std::string path = SettingsFilePath(dir.text());
    EXPECT_EQ(path, dir.text() + "tvk.prf");
    EXPECT_FALSE(LoadStartupSettings(path).get(R::kSourceDir).has_value());  // no file: defaults

    testing::WriteBytes(path, std::vector<std::uint8_t>(10, 9));
    SaveSettings(path, Filled());
    EXPECT_EQ(testing::ReadBytes(path), Filled().render());
    EXPECT_FALSE(testing::FileExists(path + ".tmp"));
    EXPECT_EQ(LoadStartupSettings(path).get(R::kSaveDir), "C:\\OUT\\");

    // A short file from an older run: only what it holds is applied.
    auto image = Filled().render();
    image.resize(100);
    testing::WriteBytes(path, image);
    const R back = LoadStartupSettings(path);
    EXPECT_EQ(back.get(R::kDestList), "C:\\OUT");
    EXPECT_FALSE(back.get(R::kSaveDir).has_value());
}

TEST(SettingsFile, UnwritableDirectoryIsAnError) {
    testing::TempDir dir;
    EXPECT_THROW(SaveSettings(SettingsFilePath(dir.file("missing")), Filled()), FileError);
}

}  // namespace
}  // namespace talvik
