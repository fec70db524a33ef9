// Newsletter issues: the loader (text mode, marker, pieces, outline) and the RTF
// of every outline entry, at the smallest, usual and largest text sizes. Every
// document must keep its groups balanced and stay within its buffer.
#include <cstdint>
#include <string>

#include "article_rtf.h"
#include "fuzz_temp_file.h"
#include "issue_library.h"
#include "issue_loader.h"
#include "oem_table_converter.h"
#include "recording_outline_sink.h"
#include "utf8_text.h"

using namespace nuvella;

namespace {

class Yes final : public MarkerQuestion {
public:
    bool continueWithoutMarker() override { return true; }
};

// Braces outside control symbols: "\{", "\}" and "\\" are escapes.
bool groupsBalance(const std::string& rtf)
{
    long depth = 0;
    for (std::size_t i = 0; i < rtf.size(); ++i) {
        const char c = rtf[i];
        if (c == '\\') {
            ++i;  // the escaped character or the first letter of a control word
        } else if (c == '{') {
            ++depth;
        } else if (c == '}') {
            if (--depth < 0) return false;
        }
    }
    return depth == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // UTF-8 read as such never grows, and comes back as UTF-8.
    std::string text(reinterpret_cast<const char*>(data), size);
    OemTableConverter table;
    if (readsAsUtf8(text.data(), text.size())) {
        const std::size_t converted = table.utf8ToAnsi(text.data(), text.size());
        FUZZ_CHECK(converted <= size);
        std::string back;
        table.ansiToUtf8(std::string_view(text).substr(0, converted), back);
        Utf8Check check;
        check.feed(back.data(), back.size());
        FUZZ_CHECK(!check.failed());
    }

    const auto path = fuzzing::writeScratch("issue.txt", data, size);
    RecordingOutlineSink sink;
    OemTableConverter converter;
    Yes question;
    IssueLibrary library;
    LoadContext context{sink, converter, question, library};
    const LoadResult result = loadIssueFile(path, context, true);
    if (result != LoadResult::Loaded) return 0;
    FUZZ_CHECK(!sink.entries.empty());

    static const int sizes[] = {1, kDefaultBaseFontSize, 72};
    for (const RecordedEntry& entry : sink.entries) {
        if (entry.start == nullptr) continue;
        for (int fontSize : sizes) {
            ArticleStream stream;
            BuildArticleRtf(stream, entry.start, fontSize);
            FUZZ_CHECK(stream.size() <= kArticleCapacity);
            FUZZ_CHECK(groupsBalance(stream.data));
        }
    }

    // Streamed in small parts, an issue with its marker gives the outline its load gave.
    RecordingOutlineSink streamed;
    LoadContext streaming{streamed, converter, question, library};
    if (streamIssueFile(path, streaming, 64) == LoadResult::Loaded) {
        FUZZ_CHECK(streamed.entries.size() == sink.entries.size());
        for (std::size_t i = 0; i < sink.entries.size(); ++i) {
            FUZZ_CHECK(streamed.entries[i].kind == sink.entries[i].kind);
            FUZZ_CHECK(streamed.entries[i].depth == sink.entries[i].depth);
            FUZZ_CHECK(streamed.entries[i].label == sink.entries[i].label);
        }
    }
    return 0;
}
