#include "current_directory.h"

#include <windows.h>

namespace nuvella {

// "." and ".." come back too; the loader passes over them like any file it cannot read.
std::vector<std::string> listCurrentDirectory() {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA("*.*", &found);
    if (search == INVALID_HANDLE_VALUE) {
        return names;
    }
    do {
        names.emplace_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

}  // namespace nuvella
