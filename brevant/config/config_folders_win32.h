// The system's answers for the choice of the configuration file's place.
#pragma once

#include "config_place.h"

namespace brevant {

// Probes a folder by making and removing a file in it; the user's folder is
// CSIDL_APPDATA. Every name goes through the ANSI calls.
class SystemConfigFolders final : public ConfigFolders {
  public:
    bool canWriteIn(const std::string& folder) override;
    bool fileExists(const std::string& path) override;
    std::string userDataFolder() override;
    bool makeFolder(const std::string& folder) override;
};

}  // namespace brevant
