#include <cstdio>

#include "file_replace.h"

namespace brevant {

// POSIX rename replaces the target in one step.
bool renameOver(const std::string& from, const std::string& to) {
    return std::rename(from.c_str(), to.c_str()) == 0;
}

}  // namespace brevant
