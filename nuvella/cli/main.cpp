// nuvella-outline: the outline of Nuvella issues, or the RTF document of one entry.
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "article_rtf.h"
#include "issue_loader.h"
#include "outline_options.h"
#include "outline_printer.h"
#include "platform.h"

namespace {

using namespace nuvella;

// The printer never asks: a file without the marker is skipped, as in the reader's scan.
class NoQuestion final : public MarkerQuestion {
  public:
    bool continueWithoutMarker() override { return false; }
};

const char* describeFailure(LoadResult result) {
    switch (result) {
        case LoadResult::CannotRead:
            return "cannot be read";
        case LoadResult::Empty:
            return "is empty";
        case LoadResult::NoMarker:
            return "\"Start.Of\" not found on first line";
        case LoadResult::OutOfMemory:
            return "does not fit in memory";
        case LoadResult::Declined:
        case LoadResult::Loaded:
            break;
    }
    return "was not loaded";
}

int run(const OutlineOptions& options) {
    std::optional<std::size_t> wanted;
    if (options.rtfEntry) {
        wanted = static_cast<std::size_t>(*options.rtfEntry);
    }
    // The outline goes out as it is entered; the RTF of one entry once every file is in.
    auto converter = systemOemConverter();
    OutlinePrinter printer(stdout, wanted, options.utf8 ? converter.get() : nullptr);
    NoQuestion question;
    IssueLibrary library;
    LoadContext context{printer, *converter, question, library};

    const bool progress = standardErrorIsTerminal() && options.files.size() > 1;
    int status = 0;
    for (std::size_t i = 0; i < options.files.size(); ++i) {
        const std::string& file = options.files[i];
        if (progress) {
            std::fprintf(stderr, "\r\033[K[%zu/%zu] %s", i + 1, options.files.size(), file.c_str());
        }
        // The outline alone needs no issue kept: the text streams through one buffer.
        const LoadResult result =
            wanted ? loadIssueFile(file, context, false) : streamIssueFile(file, context);
        if (result != LoadResult::Loaded) {
            if (!wanted) {
                printer.flush();  // what came before the message stays before it
            }
            std::fprintf(stderr, "%snuvella-outline: %s %s; skipped\n", progress ? "\r\033[K" : "",
                         file.c_str(), describeFailure(result));
            status = 1;
        }
    }
    if (progress) {
        std::fprintf(stderr, "\r\033[K");
    }

    if (wanted) {
        if (printer.wantedStart() == nullptr) {
            std::fprintf(stderr, "nuvella-outline: there is no entry %zu (%zu entries)\n", *wanted,
                         printer.entries());
            return 1;
        }
        ArticleStream stream;
        BuildArticleRtf(stream, printer.wantedStart(), options.fontSize);
        setBinaryStandardOutput();
        std::fwrite(stream.data.data(), 1, stream.size(), stdout);
        return std::fflush(stdout) == 0 ? status : 1;
    }
    const bool written = printer.flush();
    return written && std::fflush(stdout) == 0 ? status : 1;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const ParsedOptions parsed = parseOutlineOptions(args);
    if (!parsed.error.empty()) {
        std::fprintf(stderr, "nuvella-outline: %s\n\n%s", parsed.error.c_str(), kOutlineUsage);
        return 2;
    }
    if (parsed.options.help) {
        std::fputs(kOutlineUsage, stdout);
        return 0;
    }
    return run(parsed.options);
}
