#include "set_listing.h"

#include <cstdio>
#include <filesystem>

#include "set_file_io.h"
#include "system_path.h"

namespace orvane {

namespace {

void WriteTo(std::FILE* stream, const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stream);
}

}  // namespace

std::string SetListingLine(const TSongEntry& entry) {
    return std::to_string(entry.stateImage) + '\t' + entry.usedFlag + '\t' + entry.secondsText +
           '\t' + entry.FullName() + '\n';
}

int ListSetFile(const std::string& path, const std::function<void(const std::string&)>& out,
                const std::function<void(const std::string&)>& error) {
    const TSetFileReadResult read = LoadSetFile(SystemPath(path));
    std::string text;
    text.reserve(read.image.entries.size() * 64);
    for (const auto& entry : read.image.entries) text += SetListingLine(entry);
    out(text);
    if (!read.ok()) {
        std::string message = "orvane-info: " + path + ": " + read.error;
        std::error_code ec;
        if (std::filesystem::exists(SystemPath(path), ec)) {
            message += " (" + std::to_string(read.image.entries.size()) + " entries read)";
        }
        error(message + "\n");
        return 1;
    }
    return 0;
}

int RunSetListing(int argc, char** argv) {
    if (argc != 3) {
        WriteTo(stderr, "orvane-info: --set takes exactly one set file\n"
                        "usage: orvane-info --set FILE.OVM\n");
        return 2;
    }
    const int status = ListSetFile(
        argv[2], [](const std::string& text) { WriteTo(stdout, text); },
        [](const std::string& text) { WriteTo(stderr, text); });
    return std::fflush(stdout) == 0 ? status : 1;
}

}  // namespace orvane
