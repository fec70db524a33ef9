// The Win32 adapter of FolderAccess (Windows build only).
#pragma once

#include "folder_access.h"

namespace orvane {

class Win32FolderAccess final : public FolderAccess {
  public:
    bool CanWriteIn(const std::string& folder) override;
    bool FileExists(const std::string& path) const override;
    bool MakeFolder(const std::string& folder) override;
    bool CopyOrCreate(const std::string& from, const std::string& to) override;
};

// The per-user folder of the program: the user's application-data folder + "\orvane"
// (empty when the system names none).
std::string PerUserFolder();

}  // namespace orvane
