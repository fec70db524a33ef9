// The system's answers for the choice of the settings file's place.
#pragma once

#include "settings_place.h"

namespace talvik {

// Probes a folder by making and removing a file in it; the user's folder is
// CSIDL_APPDATA. Every name goes through the ANSI calls.
class SystemSettingsFolders final : public SettingsFolders {
  public:
    bool canWriteIn(const std::string& folder) override;
    bool fileExists(const std::string& path) override;
    std::string userDataFolder() override;
    bool makeFolder(const std::string& folder) override;
};

}  // namespace talvik
