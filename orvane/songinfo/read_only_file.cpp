// Read-only test through the standard library: a file nobody may write to.
#include "song_file.h"

#include <filesystem>
#include <system_error>

namespace orvane {

bool IsReadOnlyFile(const std::string& fileName)
{
    std::error_code error;
    const auto status = std::filesystem::status(fileName, error);
    if (error || !std::filesystem::exists(status)) return false;
    using std::filesystem::perms;
    return (status.permissions() & (perms::owner_write | perms::group_write | perms::others_write)) == perms::none;
}

}  // namespace orvane
