#include <gtest/gtest.h>

#include "kept_file_places.h"
#include "memory_folder_access.h"

namespace orvane {
namespace {

const std::string kWindows = "C:\\windows";
const std::string kPerUser = "C:\\users\\x\\Application Data\\orvane";
const std::string kIni = kWindows + "\\Velmor.INI";
const std::string kIniCopy = kPerUser + "\\Velmor.INI";

struct PlaceCase {
    const char* name;
    bool firstWritable;
    bool firstHasFile;
    bool copyExists;
    bool perUserWritable;
    const std::string& folder;  // where the file is kept
    const char* copy;           // the per-user copy's content afterwards; nullptr: none
    bool said;                  // a notice this run
};

class KeptFilePlaceTest : public ::testing::TestWithParam<PlaceCase> {};

TEST_P(KeptFilePlaceTest, ChoosesFolderCopyAndNotice) {
    const PlaceCase& c = GetParam();
    MemoryFolderAccess access;
    access.folders = {kWindows, "C:\\users\\x\\Application Data"};
    if (!c.firstWritable)
        access.unwritable.insert(kWindows);
    if (!c.perUserWritable) {
        access.unwritable.insert("C:\\users\\x\\Application Data");
        access.unwritable.insert(kPerUser);
    }
    if (c.firstHasFile)
        access.files[kIni] = "first";
    if (c.copyExists) {
        access.folders.insert(kPerUser);
        access.files[kIniCopy] = "copy";
    }
    KeptFilePlaces places(access, kPerUser);
    EXPECT_EQ(places.Keep(kWindows, "Velmor.INI", {"Velmor.INI"}), c.folder);
    const auto copy = access.files.find(kIniCopy);
    if (c.copy == nullptr)
        EXPECT_EQ(copy, access.files.end());
    else
        EXPECT_EQ(copy != access.files.end() ? copy->second : "(none)", c.copy);
    EXPECT_EQ(!places.Notice().empty(), c.said) << places.Notice();
}

INSTANTIATE_TEST_SUITE_P(
    Table, KeptFilePlaceTest,
    ::testing::Values(
        PlaceCase{"first_writable", true, true, false, true, kWindows, nullptr, false},
        // A copy left by earlier runs does not win over a first place that can be written.
        PlaceCase{"first_writable_again", true, false, true, true, kWindows, "copy", false},
        PlaceCase{"unwritable_first_file_copied", false, true, false, true, kPerUser, "first",
                  true},
        PlaceCase{"unwritable_no_file_empty_copy", false, false, false, true, kPerUser, "", true},
        PlaceCase{"copy_exists_read_back_silently", false, true, true, true, kPerUser, "copy",
                  false},
        // Nowhere to write: the first place stays, and its failing write is reported.
        PlaceCase{"per_user_unwritable_too", false, true, false, false, kWindows, nullptr, false}),
    [](const auto& tc) { return std::string(tc.param.name); });

TEST(KeptFilePlacesTest, OneNoticeNamesEveryMovedFileAndFolder) {
    MemoryFolderAccess access;
    const std::string program = "C:\\Program Files\\Orvane";
    access.folders = {kWindows, program, kPerUser};
    access.unwritable = {kWindows, program};
    KeptFilePlaces places(access, kPerUser);
    places.Keep(kWindows, "Velmor.INI", {"Velmor.INI"});
    places.Keep(program, "OVM.M3U", {"its set files", "OVM.M3U"});
    EXPECT_EQ(places.Notice(),
              "Orvane cannot write to C:\\windows and C:\\Program Files\\Orvane; it keeps "
              "Velmor.INI, its set files and OVM.M3U in " +
                  kPerUser + " instead.");
    EXPECT_EQ(places.FolderFor(program), kPerUser);
}

TEST(KeptFilePlacesTest, NoPerUserFolderKeepsFirstPlace) {
    MemoryFolderAccess access;
    access.folders = {kWindows};
    access.unwritable = {kWindows};
    KeptFilePlaces places(access, "");
    EXPECT_EQ(places.Keep(kWindows, "Velmor.INI", {"Velmor.INI"}), kWindows);
    EXPECT_EQ(places.Notice(), "");
}

}  // namespace
}  // namespace orvane
