#include "file_replace.h"

#include <fstream>
#include <system_error>

#include "set_file_io.h"
#include "system_path.h"

namespace orvane {

void ReplaceFileContent(const std::filesystem::path& path, std::span<const std::uint8_t> data) {
    std::filesystem::path temp = path;
    temp += ".~tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data.data()),
                  static_cast<std::streamsize>(data.size()));
        out.close();
        if (!out) {
            std::error_code ignored;
            std::filesystem::remove(temp, ignored);
            throw SetFileError("Unable to write to " + SystemPathText(path));
        }
    }
    std::error_code ec;
    std::filesystem::rename(temp, path, ec);
    if (ec) {
        std::error_code ignored;
        std::filesystem::remove(temp, ignored);
        throw SetFileError("Unable to write to " + SystemPathText(path) + ": " + ec.message());
    }
}

}  // namespace orvane
