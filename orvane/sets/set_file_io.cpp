#include "set_file_io.h"

#include <fstream>
#include <system_error>
#include <vector>

#include "file_replace.h"

namespace orvane {

namespace {

// Far beyond any real set (10,000 entries take about 1 MB); guards memory only.
constexpr std::uintmax_t kMaxSetFileSize = 256u * 1024 * 1024;

}  // namespace

TSetFileReadResult LoadSetFile(const std::filesystem::path& path) {
    TSetFileReadResult result;
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (ec) {
        result.error = "cannot open the file: " + ec.message();
        return result;
    }
    if (size > kMaxSetFileSize) {
        result.error = "too large for a set file";
        return result;
    }
    std::ifstream in(path, std::ios::binary);
    std::vector<std::uint8_t> data(static_cast<std::size_t>(size));
    if (!in || !in.read(reinterpret_cast<char*>(data.data()),
                        static_cast<std::streamsize>(data.size()))) {
        result.error = "cannot read the file";
        return result;
    }
    return ReadSetFile(data);
}

std::size_t SaveSetFile(const std::filesystem::path& path, const TSetFileImage& image) {
    std::size_t cutTexts = 0;
    const auto data = WriteSetFile(image, &cutTexts);
    ReplaceFileContent(path, data);
    return cutTexts;
}

}  // namespace orvane
