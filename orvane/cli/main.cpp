// orvane-info: prints what Orvane Manager shows about song files.
#include "set_listing.h"
#include "song_info_report.h"
#include "terminal_progress.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr const char* kUsage =
    "usage: orvane-info FILE...\n"
    "       orvane-info --set FILE.OVM\n"
    "\n"
    "Prints, for each MPEG audio file, its play time, frame header and ID3\n"
    "version 1 tag as \"key: value\" lines, then an empty line:\n"
    "  file, seconds, time, version, layer, bitrate, frequency, tag (yes/no),\n"
    "  and for a tagged file title, artist, album, year, comment, genre.\n"
    "A file that begins with an ID3v2 tag (2.2, 2.3 or 2.4) adds \"id3v2: 2.N\"\n"
    "and its values as \"id3v2 title\", \"id3v2 artist\", ... \"id3v2 genre\", so\n"
    "each line says which tag it comes from.\n"
    "A file that cannot be read shows seconds: 0; the exit status is then 1.\n"
    "\n"
    "With --set, prints one line per entry of an Orvane Manager set file:\n"
    "state image, usage flag, seconds and full file name, tab-separated.\n"
    "A damaged set file lists what could be read, reports the damage on\n"
    "stderr and exits with status 1.\n"
    "\n"
    "options:\n"
    "  -h, --help   show this text\n"
    "  --           end of options\n";

void Write(std::FILE* stream, const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stream);
}

int RunFiles(const std::vector<std::string>& files) {
    orvane::TTerminalProgress progress;
    orvane::TReportSinks sinks;
    sinks.out = [](const std::string& text) { Write(stdout, text); };
    sinks.error = [](const std::string& text) { Write(stderr, text); };
    if (files.size() > 20 && orvane::ProgressWanted()) {
        sinks.progress = [&progress](std::size_t done, std::size_t all) {
            progress.Update(done, all);
        };
    }
    const int status = orvane::RunSongInfo(files, sinks);
    return std::fflush(stdout) == 0 ? status : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && std::strcmp(argv[1], "--set") == 0)
        return orvane::RunSetListing(argc, argv);
    std::vector<std::string> files;
    bool options = true;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (options && (std::strcmp(arg, "-h") == 0 || std::strcmp(arg, "--help") == 0)) {
            Write(stdout, kUsage);
            return 0;
        }
        if (options && std::strcmp(arg, "--") == 0) {
            options = false;
        } else if (options && arg[0] == '-' && arg[1] != '\0') {
            Write(stderr, std::string("orvane-info: unknown option ") + arg + "\n" + kUsage);
            return 2;
        } else {
            files.emplace_back(arg);
        }
    }
    if (files.empty()) {
        Write(stderr, std::string("orvane-info: no file given\n") + kUsage);
        return 2;
    }
    return RunFiles(files);
}
