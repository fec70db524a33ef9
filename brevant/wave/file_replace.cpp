#include "file_replace.h"

#include "binary_file.h"
#include "system_path.h"

namespace brevant {

ReplaceResult replaceFileContents(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    const std::string temp = path + ".tmp~";
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
