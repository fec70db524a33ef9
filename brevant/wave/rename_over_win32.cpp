#include <windows.h>

#include "file_replace.h"

namespace brevant {

// The C library's rename refuses an existing target on Windows.
bool renameOver(const std::string& from, const std::string& to) {
    return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

}  // namespace brevant
