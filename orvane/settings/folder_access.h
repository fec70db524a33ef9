// The file-system questions behind the choice of where a kept file goes (Win32 adapter in
// folder_access_win32.cpp, MemoryFolderAccess for tests). Paths are ANSI text.
#pragma once

#include <string>

namespace orvane {

class FolderAccess {
  public:
    virtual ~FolderAccess() = default;
    // True when a file can really be made (and removed) in the folder: a probe, not the
    // folder's attributes, which say nothing of the user's rights.
    virtual bool CanWriteIn(const std::string& folder) = 0;
    virtual bool FileExists(const std::string& path) const = 0;
    // Makes the folder when it is missing; false when it is still missing.
    virtual bool MakeFolder(const std::string& folder) = 0;
    // Copies a file (from must exist), or makes an empty one when from is empty.
    virtual bool CopyOrCreate(const std::string& from, const std::string& to) = 0;
};

}  // namespace orvane
