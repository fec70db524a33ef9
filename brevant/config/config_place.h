// Where "brevant.cfg" is kept. Its place is the folder current at start; a standard
// user cannot write there when the program sits under Program Files, so the file then
// goes to a folder of the program's own under the user's application data.
#pragma once

#include <string>

namespace brevant {

// What the choice asks of the system; a fake answers in the tests.
class ConfigFolders {
  public:
    virtual ~ConfigFolders() = default;
    // True when a file can be made (and removed again) in `folder` now.
    virtual bool canWriteIn(const std::string& folder) = 0;
    virtual bool fileExists(const std::string& path) = 0;
    // The user's application-data folder; empty when the system names none.
    virtual std::string userDataFolder() = 0;
    // Makes one folder level; false when it was not made (it may exist already).
    virtual bool makeFolder(const std::string& folder) = 0;
};

struct ConfigPlace {
    std::string readPath;   // loaded at start-up
    std::string writePath;  // saved at exit
    std::string notice;     // said once at start when the file moves, or cannot be kept
};

// The folder under the user's application data where the recorder keeps its file.
constexpr const char* kOwnConfigFolderName = "brevant";

// `firstPath` is the full path of "brevant.cfg" in the start-up folder, kept while that
// folder can be written. Otherwise the program's own folder: a copy already there is
// read and written; without one the start-up file is still read, the copy is made at
// exit and the notice says where it is.
ConfigPlace chooseConfigPlace(const std::string& firstPath, ConfigFolders& folders);

}  // namespace brevant
