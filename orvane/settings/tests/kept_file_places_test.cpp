#include <gtest/gtest.h>

#include "kept_file_places.h"
#include "memory_folder_access.h"

namespace orvane {
namespace {

const std::string kWin = "C:\\windows", kApp = "C:\\AppData", kUser = kApp + "\\orvane";

struct PlaceCase {
    const char* name;
    bool firstWritable, firstHasFile, copyExists, perUserWritable;
    const std::string& folder;  // where the file is kept
    const char* copy;           // the per-user copy afterwards; nullptr: none
    bool said;                  // a notice this run
};

class KeptFilePlaceTest : public ::testing::TestWithParam<PlaceCase> {};

TEST_P(KeptFilePlaceTest, ChoosesFolderCopyAndNotice) {
    const PlaceCase& c = GetParam();
    MemoryFolderAccess access;
    access.folders = {kWin, kApp};
    if (!c.firstWritable)
        access.unwritable.insert(kWin);
    if (!c.perUserWritable)
        access.unwritable.insert(kApp);
    if (c.firstHasFile)
        access.files[kWin + "\\Velmor.INI"] = "first";
    if (c.copyExists) {
        access.folders.insert(kUser);
        access.files[kUser + "\\Velmor.INI"] = "copy";
    }
    KeptFilePlaces places(access, kUser);
    EXPECT_EQ(places.Keep(kWin, "Velmor.INI", {"Velmor.INI"}), c.folder);
    const auto copy = access.files.find(kUser + "\\Velmor.INI");
    EXPECT_EQ(copy == access.files.end() ? "(none)" : copy->second, c.copy ? c.copy : "(none)");
    EXPECT_EQ(places.Notice().empty(), !c.said) << places.Notice();
}

INSTANTIATE_TEST_SUITE_P(
    Table, KeptFilePlaceTest,
    ::testing::Values(
        PlaceCase{"first_writable", true, true, false, true, kWin, nullptr, false},
        // A copy of earlier runs does not win over a first place that can be written again.
        PlaceCase{"first_writable_again", true, false, true, true, kWin, "copy", false},
        PlaceCase{"unwritable_file_copied", false, true, false, true, kUser, "first", true},
        PlaceCase{"unwritable_no_file_empty_copy", false, false, false, true, kUser, "", true},
        PlaceCase{"copy_exists_read_silently", false, true, true, true, kUser, "copy", false},
        // Nowhere to write: the first place stays, and its failing write is reported.
        PlaceCase{"per_user_unwritable_too", false, true, false, false, kWin, nullptr, false}),
    [](const auto& tc) { return std::string(tc.param.name); });

}  // namespace
}  // namespace orvane
