// Where "tvk.prf" is kept. Its place is the start-up directory; a standard user cannot
// write there when the program sits under Program Files, so the file then goes to a
// folder of the program's own under the user's application data.
#pragma once

#include <string>

namespace talvik {

// What the choice asks of the system; a fake answers in the tests.
class SettingsFolders {
  public:
    virtual ~SettingsFolders() = default;
    // True when a file can be made (and removed again) in `folder` now.
    virtual bool canWriteIn(const std::string& folder) = 0;
    virtual bool fileExists(const std::string& path) = 0;
    // The user's application-data folder; empty when the system names none.
    virtual std::string userDataFolder() = 0;
    // Makes one folder level; false when it was not made (it may exist already).
    virtual bool makeFolder(const std::string& folder) = 0;
};

struct SettingsPlace {
    std::string readPath;   // read at start-up (a missing file keeps the defaults)
    std::string writePath;  // written at shut-down
    std::string notice;     // said once at start when the file moves, or cannot be kept
    bool kept = true;       // false: this run's settings have nowhere to go (a warning)
};

// The folder under the user's application data where the splitter keeps its file.
inline constexpr const char* kOwnFolderName = "talvik";

// The start-up directory while it can be written. Otherwise the program's own folder:
// a copy already there is read and written; without one the start-up file is still
// read, the copy is made at shut-down and the notice says where it is.
SettingsPlace ChooseSettingsPlace(const std::string& startupDir, SettingsFolders& folders);

}  // namespace talvik
