// Folders and files as names in memory, with unwritable folders on demand, for tests.
#pragma once

#include <map>
#include <set>
#include <string>

#include "folder_access.h"

namespace orvane {

class MemoryFolderAccess final : public FolderAccess {
  public:
    std::set<std::string> folders;
    std::set<std::string> unwritable;          // folders where no file can be made
    std::map<std::string, std::string> files;  // full name -> content
    int probes = 0;

    bool CanWriteIn(const std::string& folder) override;
    bool FileExists(const std::string& path) const override { return files.count(path) != 0; }
    bool MakeFolder(const std::string& folder) override;
    bool CopyOrCreate(const std::string& from, const std::string& to) override;
};

}  // namespace orvane
