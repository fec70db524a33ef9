#include "file_replace.h"

#include <algorithm>

#include "binary_file.h"
#include "system_path.h"

namespace brevant {
namespace {

// Windows opens names of at most 259 characters: beside a target near that
// length the temporary's name is cut to fit, still in the same folder.
constexpr std::size_t kLongestSystemPath = 259;

std::string temporaryBeside(const std::string& path) {
    const std::string suffix = ".tmp~";
    if (path.size() + suffix.size() <= kLongestSystemPath)
        return path + suffix;
    const std::size_t nameStart = path.find_last_of("\\/") + 1;  // 0 without a folder
    const std::size_t kept = std::max(nameStart + 1, kLongestSystemPath - suffix.size());
    return path.substr(0, kept) + suffix;
}

}  // namespace

ReplaceResult replaceFileContents(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    const std::string temp = temporaryBeside(path);
    BinaryFile file;
    if (!file.open(temp, BinaryFile::Mode::CreateWrite))
        return ReplaceResult::CannotCreate;
    const bool written = file.write(bytes.data(), bytes.size());
    const bool closed = file.close();
    if (!written || !closed || !renameOver(temp, path)) {
        removeFile(temp);
        return ReplaceResult::WriteFailed;
    }
    return ReplaceResult::Done;
}

}  // namespace brevant
