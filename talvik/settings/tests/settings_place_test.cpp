// The choice of tvk.prf's place, over a fake of the system.
#include "settings_place.h"

#include <gtest/gtest.h>

#include <set>

#include "file_names.h"

namespace talvik {
namespace {

const std::string S(1, kDirSeparator), kStart = S + "progs", kOwn = S + "data" + S + "talvik";
const std::string kFirst = kStart + S + "tvk.prf", kCopy = kOwn + S + "tvk.prf";

struct FakeFolders : SettingsFolders {
    bool canWriteIn(const std::string& f) override { return writable.count(f) > 0; }
    bool fileExists(const std::string& path) override { return copy && path == kCopy; }
    std::string userDataFolder() override { return data; }
    bool makeFolder(const std::string& f) override { return made += f, true; }
    std::set<std::string> writable;
    bool copy = false;
    std::string data = S + "data", made;
};

TEST(SettingsPlace, ChoosesWhereToReadAndWrite) {
    const std::string moved =
        "Talvik cannot write to " + kStart + "; it keeps tvk.prf in " + kOwn + " instead.";
    const std::string lost = ": the settings of this run (tvk.prf) cannot be kept.";
    const std::string both = "Talvik cannot write to " + kStart + " nor to " + kOwn + lost;
    const std::string none = "Talvik cannot write to " + kStart + lost;
    struct Case {
        const char* name;
        std::set<std::string> writable;
        bool copy, data;
        std::string read, write, notice, made;
    } const cases[] = {
        {"start folder writable", {kStart, kOwn}, true, true, kFirst, kFirst, "", ""},
        {"unwritable, first time", {kOwn}, false, true, kFirst, kCopy, moved, kOwn},
        {"unwritable, copy exists", {}, true, true, kCopy, kCopy, "", ""},
        {"own folder unwritable too", {}, false, true, kFirst, kCopy, both, kOwn},
        {"no application data", {}, false, false, kFirst, kFirst, none, ""},
    };
    for (const Case& c : cases) {
        FakeFolders folders;
        folders.writable = c.writable;
        folders.copy = c.copy;
        folders.data = c.data ? folders.data : "";
        const SettingsPlace place = ChooseSettingsPlace(kStart, folders);
        EXPECT_EQ(place.readPath, c.read) << c.name;
        EXPECT_EQ(place.writePath, c.write) << c.name;
        EXPECT_EQ(place.notice, c.notice) << c.name;
        EXPECT_EQ(folders.made, c.made) << c.name;
    }
}

}  // namespace
}  // namespace talvik
