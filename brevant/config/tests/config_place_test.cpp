#include "config_place.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace brevant {
namespace {

#ifdef _WIN32
const std::string kSep = "\\";
#else
const std::string kSep = "/";
#endif
const std::string kStart = kSep + "progs" + kSep + "Brevant";
const std::string kFirst = kStart + kSep + "brevant.cfg";
const std::string kData = kSep + "users" + kSep + "x" + kSep + "AppData";
const std::string kOwn = kData + kSep + "brevant";
const std::string kCopy = kOwn + kSep + "brevant.cfg";

class FakeFolders : public ConfigFolders {
  public:
    bool canWriteIn(const std::string& folder) override { return writable.count(folder) > 0; }
    bool fileExists(const std::string& path) override { return files.count(path) > 0; }
    std::string userDataFolder() override { return data; }
    bool makeFolder(const std::string& folder) override {
        made.push_back(folder);
        return true;
    }
    std::set<std::string> writable;
    std::set<std::string> files;
    std::string data = kData;
    std::vector<std::string> made;
};

struct Case {
    const char* name;
    bool startWritable;
    bool copyExists;
    bool ownWritable;
    bool dataKnown;
    std::string read;
    std::string write;
    std::string notice;
    bool makesOwn;
};

TEST(ConfigPlace, ChoosesWhereToReadAndWrite) {
    const std::string moved =
        "Brevant cannot write to " + kStart + "; it keeps brevant.cfg in " + kOwn + " instead.";
    const std::string lost = "Brevant cannot write to " + kStart + " nor to " + kOwn +
                             ": the settings of this run (brevant.cfg) cannot be kept.";
    const std::string lostNoData = "Brevant cannot write to " + kStart +
                                   ": the settings of this run (brevant.cfg) cannot be kept.";
    const Case cases[] = {
        {"start folder writable", true, false, true, true, kFirst, kFirst, "", false},
        {"start folder writable, a copy elsewhere", true, true, true, true, kFirst, kFirst, "",
         false},
        {"unwritable, first time", false, false, true, true, kFirst, kCopy, moved, true},
        {"unwritable, copy exists", false, true, true, true, kCopy, kCopy, "", false},
        {"own folder unwritable too", false, false, false, true, kFirst, kCopy, lost, true},
        {"no application data", false, false, false, false, kFirst, kFirst, lostNoData, false},
    };
    for (const Case& c : cases) {
        FakeFolders folders;
        if (c.startWritable)
            folders.writable.insert(kStart);
        if (c.ownWritable)
            folders.writable.insert(kOwn);
        if (c.copyExists)
            folders.files.insert(kCopy);
        if (!c.dataKnown)
            folders.data.clear();
        const ConfigPlace place = chooseConfigPlace(kFirst, folders);
        EXPECT_EQ(place.readPath, c.read) << c.name;
        EXPECT_EQ(place.writePath, c.write) << c.name;
        EXPECT_EQ(place.notice, c.notice) << c.name;
        EXPECT_EQ(folders.made,
                  c.makesOwn ? std::vector<std::string>{kOwn} : std::vector<std::string>{})
            << c.name;
    }
}

TEST(ConfigPlace, AFileInADriveRootProbesTheRoot) {
    FakeFolders folders;
    const std::string root = kSep == "\\" ? "C:\\" : "/";
    folders.writable.insert(root);
    EXPECT_EQ(chooseConfigPlace(root + "brevant.cfg", folders).writePath, root + "brevant.cfg");
}

}  // namespace
}  // namespace brevant
