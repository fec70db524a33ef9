// The choice of brevant.cfg's place, over a fake of the system.
#include "config_place.h"

#include <gtest/gtest.h>

#include <set>

namespace brevant {
namespace {

#ifdef _WIN32
const std::string S = "\\", kRoot = "C:\\";
#else
const std::string S = "/", kRoot = "/";
#endif
const std::string kStart = S + "progs", kOwn = S + "data" + S + "brevant";
const std::string kFirst = kStart + S + "brevant.cfg", kCopy = kOwn + S + "brevant.cfg";

struct FakeFolders : ConfigFolders {
    bool canWriteIn(const std::string& f) override { return writable.count(f) > 0; }
    bool fileExists(const std::string& path) override { return copy && path == kCopy; }
    std::string userDataFolder() override { return data; }
    bool makeFolder(const std::string& f) override { return made += f, true; }
    std::set<std::string> writable;
    bool copy = false;
    std::string data = S + "data", made;
};

TEST(ConfigPlace, ChoosesWhereToReadAndWrite) {
    const std::string moved =
        "Brevant cannot write to " + kStart + "; it keeps brevant.cfg in " + kOwn + " instead.";
    const std::string lost = ": the settings of this run (brevant.cfg) cannot be kept.";
    const std::string both = "Brevant cannot write to " + kStart + " nor to " + kOwn + lost;
    const std::string none = "Brevant cannot write to " + kStart + lost,
                      root = kRoot + "brevant.cfg";
    struct Case {
        const char* name;
        std::string first;
        std::set<std::string> writable;
        bool copy, data;
        std::string read, write, notice, made;
    } const cases[] = {
        {"start folder writable", kFirst, {kStart, kOwn}, true, true, kFirst, kFirst, "", ""},
        {"a drive root", root, {kRoot}, true, true, root, root, "", ""},
        {"unwritable, first time", kFirst, {kOwn}, false, true, kFirst, kCopy, moved, kOwn},
        {"unwritable, copy exists", kFirst, {}, true, true, kCopy, kCopy, "", ""},
        {"own folder unwritable too", kFirst, {}, false, true, kFirst, kCopy, both, kOwn},
        {"no application data", kFirst, {}, false, false, kFirst, kFirst, none, ""},
    };
    for (const Case& c : cases) {
        FakeFolders folders;
        folders.writable = c.writable;
        folders.copy = c.copy;
        folders.data = c.data ? folders.data : "";
        const ConfigPlace place = chooseConfigPlace(c.first, folders);
        EXPECT_EQ(place.readPath, c.read) << c.name;
        EXPECT_EQ(place.writePath, c.write) << c.name;
        EXPECT_EQ(place.notice, c.notice) << c.name;
        EXPECT_EQ(folders.made, c.made) << c.name;
    }
}

}  // namespace
}  // namespace brevant
