// Saving without ever destroying the previous good copy: the new contents go to
// a temporary file beside the target, which is then renamed over it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace brevant {

enum class ReplaceResult { Done, CannotCreate, WriteFailed };

ReplaceResult replaceFileContents(const std::string& path, const std::vector<std::uint8_t>& bytes);

// Renames `from` over `to`, replacing `to` when it exists.
bool renameOver(const std::string& from, const std::string& to);

}  // namespace brevant
