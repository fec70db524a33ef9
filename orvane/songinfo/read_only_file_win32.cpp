// Read-only test on Windows: the file's read-only attribute.
#include "song_file.h"

#include <windows.h>

namespace orvane {

bool IsReadOnlyFile(const std::string& fileName)
{
    const DWORD attributes = GetFileAttributesA(fileName.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

}  // namespace orvane
