#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "set_file_io.h"
#include "set_listing.h"

namespace orvane {
namespace {

class SetListingTest : public ::testing::Test {
protected:
    SetListingTest() {
        std::random_device rd;
        dir_ = std::filesystem::temp_directory_path() / ("orvane-set-listing-" + std::to_string(rd()));
        std::filesystem::create_directories(dir_);
    }
    ~SetListingTest() override {
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }
    int List(const std::filesystem::path& file) {
        return ListSetFile(file.string(), [this](const std::string& t) { out += t; },
                           [this](const std::string& t) { err += t; });
    }
    std::filesystem::path WriteSet(int count) {
        TSetFileImage image = DefaultSongListImage({});
        for (int i = 0; i < count; ++i) {
            // Built with append: GCC 12 warns falsely (-Wrestrict) on short string concatenation.
            TSongEntry e;
            e.caption.append("s").append(std::to_string(i)).append(".mp3");
            e.folder.append("C:\\My Music\\");
            e.usedFlag.assign(1, i == 0 ? '1' : '0');
            e.secondsText = std::to_string(60 + i);
            e.stateImage = i == 0 ? kNowPlayingImage : kNoStateImage;
            image.entries.push_back(e);
        }
        const auto file = dir_ / "Rock.OVM";
        SaveSetFile(file, image);
        return file;
    }
    std::filesystem::path dir_;
    std::string out;
    std::string err;
};

TEST_F(SetListingTest, OneTabSeparatedLinePerEntry) {
    EXPECT_EQ(List(WriteSet(2)), 0);
    EXPECT_EQ(out, "1\t1\t60\tC:\\My Music\\s0.mp3\n-1\t0\t61\tC:\\My Music\\s1.mp3\n");
    EXPECT_EQ(err, "");
}

TEST_F(SetListingTest, EmptySetListsNothing) {
    EXPECT_EQ(List(WriteSet(0)), 0);
    EXPECT_EQ(out, "");
}

TEST_F(SetListingTest, TruncatedSetListsWhatWasReadAndFails) {
    const auto file = WriteSet(3);
    const auto size = std::filesystem::file_size(file);
    std::filesystem::resize_file(file, size - 10);
    EXPECT_EQ(List(file), 1);
    EXPECT_EQ(out, "1\t1\t60\tC:\\My Music\\s0.mp3\n-1\t0\t61\tC:\\My Music\\s1.mp3\n");
    EXPECT_NE(err.find("Rock.OVM"), std::string::npos) << err;
    EXPECT_NE(err.find("2 entries read"), std::string::npos) << err;
}

TEST_F(SetListingTest, MissingFileFails) {
    EXPECT_EQ(List(dir_ / "None.OVM"), 1);
    EXPECT_EQ(out, "");
    EXPECT_NE(err.find("None.OVM"), std::string::npos);
}

TEST_F(SetListingTest, WrongCommandLineIsStatusTwo) {
    char program[] = "orvane-info";
    char set[] = "--set";
    char* argv[] = {program, set, nullptr};
    EXPECT_EQ(RunSetListing(2, argv), 2);
}

}  // namespace
}  // namespace orvane
