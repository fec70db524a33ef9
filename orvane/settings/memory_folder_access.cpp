#include "memory_folder_access.h"

namespace orvane {

namespace {

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

}  // namespace

bool MemoryFolderAccess::CanWriteIn(const std::string& folder) {
    ++probes;
    return folders.count(folder) != 0 && unwritable.count(folder) == 0;
}

bool MemoryFolderAccess::MakeFolder(const std::string& folder) {
    if (folders.count(folder) == 0 && unwritable.count(FolderOf(folder)) != 0)
        return false;
    folders.insert(folder);
    return true;
}

bool MemoryFolderAccess::CopyOrCreate(const std::string& from, const std::string& to) {
    if (!CanWriteIn(FolderOf(to)))
        return false;
    if (from.empty()) {
        files[to];
        return true;
    }
    const auto found = files.find(from);
    if (found == files.end())
        return false;
    files[to] = found->second;
    return true;
}

}  // namespace orvane
