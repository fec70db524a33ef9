#include "settings_place.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "file_names.h"

namespace talvik {
namespace {

const std::string kSep(1, kDirSeparator);
const std::string kStart = kSep + "progs" + kSep + "Talvik";
const std::string kData = kSep + "users" + kSep + "x" + kSep + "AppData";
const std::string kOwn = kData + kSep + "talvik";
const std::string kFirstFile = kStart + kSep + "tvk.prf";
const std::string kCopy = kOwn + kSep + "tvk.prf";

class FakeFolders : public SettingsFolders {
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

TEST(SettingsPlace, ChoosesWhereToReadAndWrite) {
    const std::string moved =
        "Talvik cannot write to " + kStart + "; it keeps tvk.prf in " + kOwn + " instead.";
    const std::string lost = "Talvik cannot write to " + kStart + " nor to " + kOwn +
                             ": the settings of this run (tvk.prf) cannot be kept.";
    const std::string lostNoData =
        "Talvik cannot write to " + kStart + ": the settings of this run (tvk.prf) cannot be kept.";
    const Case cases[] = {
        {"start folder writable", true, false, true, true, kFirstFile, kFirstFile, "", false},
        {"start folder writable, a copy elsewhere", true, true, true, true, kFirstFile, kFirstFile,
         "", false},
        {"unwritable, first time", false, false, true, true, kFirstFile, kCopy, moved, true},
        {"unwritable, copy exists", false, true, true, true, kCopy, kCopy, "", false},
        {"own folder unwritable too", false, false, false, true, kFirstFile, kCopy, lost, true},
        {"no application data", false, false, false, false, kFirstFile, kFirstFile, lostNoData,
         false},
    };
    for (const Case& c : cases) {
        FakeFolders folders;
        if (c.startWritable) {
            folders.writable.insert(kStart);
        }
        if (c.ownWritable) {
            folders.writable.insert(kOwn);
        }
        if (c.copyExists) {
            folders.files.insert(kCopy);
        }
        if (!c.dataKnown) {
            folders.data.clear();
        }
        const SettingsPlace place = ChooseSettingsPlace(kStart, folders);
        EXPECT_EQ(place.readPath, c.read) << c.name;
        EXPECT_EQ(place.writePath, c.write) << c.name;
        EXPECT_EQ(place.notice, c.notice) << c.name;
        EXPECT_EQ(folders.made,
                  c.makesOwn ? std::vector<std::string>{kOwn} : std::vector<std::string>{})
            << c.name;
    }
}

}  // namespace
}  // namespace talvik
