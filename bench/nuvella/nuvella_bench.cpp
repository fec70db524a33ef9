// Loading speed of large issues and rendering time of articles.
//
// The issue is generated once into the temp directory (about 100 MB, removed at exit):
// lines of 10 to 98 characters with now and then a longer one, a section every few hundred
// lines, an article every few dozen, bold-italic headings and now and then a code page 437
// letter.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "article_rtf.h"
#include "issue_file.h"
#include "issue_loader.h"
#include "issue_parser.h"
#include "issue_scanner.h"
#include "oem_table_converter.h"

namespace {

using namespace nuvella;

class CountingSink final : public OutlineSink {
  public:
    void setRedraw(bool) override {}
    OutlineItem insert(OutlineItem, OutlineKind, std::string_view, const IssueLine*) override {
        return ++entries;
    }
    void markHasChildren(OutlineItem) override {}
    void repaint() override {}
    std::size_t entries = 0;
};

class NoQuestion final : public MarkerQuestion {
  public:
    bool continueWithoutMarker() override { return false; }
};

std::string makeIssue(std::size_t bytes, bool crlf) {
    std::mt19937 random(42);
    const char* words[] = {"audio", "toolkit", "sample",   "track", "mixer", "the",
                           "and",   "reader",  "level",    "note",  "set",   "song",
                           "a",     "of",      "splitter", "wave"};
    // About one word in sixty carries a code page 437 letter.
    const char* accented[] = {"caf\x82", "M\x81nchen", "J\x81rgen", "na\x8Bve"};
    const char* eol = crlf ? "\r\n" : "\n";
    std::string text = "Start.Of generated issue";
    text += eol;
    text.reserve(bytes + 200);
    std::size_t line = 0;
    while (text.size() < bytes) {
        ++line;
        if (line % 400 == 0) {
            text += "=-=-=-=-[ Section " + std::to_string(line / 400) + " ]-=-=-=-=";
        } else if (line % 37 == 0) {
            text += " :: \"Article " + std::to_string(line) + "\" by the editors";
        } else if (line % 97 == 0) {
            text += "=--(Interview " + std::to_string(line) + ")-----";
        } else if (line % 23 == 0) {
            text += " ____ Heading of paragraph " + std::to_string(line);
        } else {
            const std::size_t target = line % 211 == 0 ? 180 : 10 + random() % 89;
            std::string body;
            while (body.size() < target) {
                const auto pick = random();
                body += pick % 61 == 0 ? accented[(pick >> 8) % 4] : words[pick % 16];
                body += ' ';
            }
            body.resize(target);
            text += body;
        }
        text += eol;
    }
    return text;
}

// The generated files live as long as the benchmark program.
struct GeneratedIssues {
    std::filesystem::path dir = std::filesystem::temp_directory_path() / "nuvella-bench";
    std::string lfPath;
    std::string crlfPath;
    std::size_t lfSize = 0;
    std::size_t crlfSize = 0;

    GeneratedIssues() {
        std::filesystem::create_directories(dir);
        lfPath = write("issue-lf.txt", makeIssue(100u << 20, false), lfSize);
        crlfPath = write("issue-crlf.txt", makeIssue(100u << 20, true), crlfSize);
    }
    ~GeneratedIssues() {
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
    }
    std::string write(const char* name, const std::string& text, std::size_t& size) {
        const auto path = (dir / name).string();
        std::ofstream(path, std::ios::binary)
            .write(text.data(), static_cast<std::streamsize>(text.size()));
        size = text.size();
        return path;
    }
};

GeneratedIssues& issues() {
    static GeneratedIssues generated;
    return generated;
}

void loadBenchmark(benchmark::State& state, const std::string& path, std::size_t size) {
    OemTableConverter converter;
    NoQuestion question;
    std::size_t entries = 0;
    for (auto _ : state) {
        CountingSink sink;
        IssueLibrary library;
        LoadContext context{sink, converter, question, library};
        if (loadIssueFile(path, context, false) != LoadResult::Loaded) {
            state.SkipWithError("issue not loaded");
            return;
        }
        entries = sink.entries;
        benchmark::DoNotOptimize(library.at(0).lines.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
    state.counters["entries"] = static_cast<double>(entries);
}

void BM_LoadIssueLf(benchmark::State& state) {
    loadBenchmark(state, issues().lfPath, issues().lfSize);
}
void BM_LoadIssueCrLf(benchmark::State& state) {
    loadBenchmark(state, issues().crlfPath, issues().crlfSize);
}

// Parsing and classification alone: text mode, marker test, code page conversion, pieces
// and outline, on an issue whose memory is already in use (fresh pages are costly on some
// virtual machines and would swamp the parser's own work).
void parseBenchmark(benchmark::State& state, const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::string pristine((std::istreambuf_iterator<char>(in)),
                               std::istreambuf_iterator<char>());
    Issue issue;
    issue.text = TextBlock(pristine.size());
    OemTableConverter converter;
    std::size_t entries = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::memcpy(issue.text.get(), pristine.data(), pristine.size());
        state.ResumeTiming();
        // As the loader does it: a Ctrl+Z in the head cuts the text at once, a later one is
        // met while splitting.
        const std::size_t head = std::min(pristine.size(), kIssueHeadSize);
        const std::size_t visible = endAtCtrlZ(issue.text.get(), head);
        issue.textSize = visible < head ? visible : pristine.size();
        const RawPiece marker = takePiece(issue.text.get(), issue.textSize);
        if (!hasIssueMarker({issue.text.get(), marker.length})) {
            state.SkipWithError("no marker");
            return;
        }
        parseIssueText(issue, marker.raw, converter);
        CountingSink sink;
        enterOutline(issue, sink);
        entries = sink.entries;
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * pristine.size()));
    state.counters["entries"] = static_cast<double>(entries);
    state.counters["pieces"] = static_cast<double>(issue.lines.size());
}

void BM_ParseIssueLf(benchmark::State& state) {
    parseBenchmark(state, issues().lfPath);
}
void BM_ParseIssueCrLf(benchmark::State& state) {
    parseBenchmark(state, issues().crlfPath);
}

// The yardsticks: reading the same file line by line, and scanning it for line feeds.
void BM_GetlineBaseline(benchmark::State& state) {
    for (auto _ : state) {
        std::ifstream in(issues().lfPath, std::ios::binary);
        std::string line;
        std::size_t lines = 0;
        while (std::getline(in, line)) {
            ++lines;
        }
        benchmark::DoNotOptimize(lines);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * issues().lfSize));
}

void BM_ReadAndMemchrBaseline(benchmark::State& state) {
    std::vector<char> buffer(issues().lfSize);
    for (auto _ : state) {
        std::FILE* file = std::fopen(issues().lfPath.c_str(), "rb");
        const std::size_t got = std::fread(buffer.data(), 1, buffer.size(), file);
        std::fclose(file);
        std::size_t lines = 0;
        for (const char *p = buffer.data(), *end = p + got;
             (p = static_cast<const char*>(
                  std::memchr(p, '\n', static_cast<std::size_t>(end - p)))) != nullptr;
             ++p) {
            ++lines;
        }
        benchmark::DoNotOptimize(lines);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * issues().lfSize));
}

// A directory of 20 files of 50 MB that are not issues (a first line without the marker,
// then zeros; the files are sparse, so they cost no disk). The scan reads each head only.
struct LargeStrangers {
    static constexpr int kFiles = 20;
    static constexpr std::uintmax_t kSize = std::uintmax_t{50} << 20;
    std::filesystem::path dir = std::filesystem::temp_directory_path() / "nuvella-bench-scan";
    LargeStrangers() {
        std::filesystem::create_directories(dir);
        for (int i = 0; i < kFiles; ++i) {
            const auto path = dir / ("video" + std::to_string(i) + ".avi");
            std::ofstream(path, std::ios::binary) << "RIFF not an issue\n";
            std::filesystem::resize_file(path, kSize);
        }
    }
    ~LargeStrangers() {
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
    }
};

LargeStrangers& strangers() {
    static LargeStrangers made;
    return made;
}

// Runs the body with the directory of strangers as the current directory.
template <class Body>
void inStrangers(benchmark::State& state, Body body) {
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(strangers().dir);
    for (auto _ : state) {
        body();
    }
    std::filesystem::current_path(previous);
    state.counters["files"] = LargeStrangers::kFiles;
}

void BM_ScanDirectoryOfLargeStrangers(benchmark::State& state) {
    OemTableConverter converter;
    NoQuestion question;
    inStrangers(state, [&] {
        CountingSink sink;
        IssueLibrary library;
        LoadContext context{sink, converter, question, library};
        if (ScanForIssues(context) != 0) {
            state.SkipWithError("a stranger was loaded");
        }
    });
}

// The yardstick: listing the directory and opening and closing every file in it.
void BM_OpenEveryFileBaseline(benchmark::State& state) {
    inStrangers(state, [&] {
        for (const auto& entry : std::filesystem::directory_iterator(".")) {
            std::FILE* file = std::fopen(entry.path().c_str(), "rb");
            if (file != nullptr) {
                std::fclose(file);
            }
        }
    });
}

// The whole outline printer as a user runs it, on 100 MB of the sample issue's body repeated
// (file read, text mode, code page, pieces, outline, printing, and the process itself),
// beside `wc -l` reading the same file.
struct RepeatedSample {
    std::filesystem::path path =
        std::filesystem::temp_directory_path() / "nuvella-bench-repeated-sample.txt";
    RepeatedSample() {
        std::ifstream in(NUVELLA_SAMPLE, std::ios::binary);
        const std::string sample((std::istreambuf_iterator<char>(in)),
                                 std::istreambuf_iterator<char>());
        const auto bodyStart = sample.find('\n') + 1;
        std::string text = sample.substr(0, bodyStart);
        while (text.size() < 100'000'000) {
            text.append(sample, bodyStart);
        }
        std::ofstream(path, std::ios::binary)
            .write(text.data(), static_cast<std::streamsize>(text.size()));
        size = text.size();
    }
    ~RepeatedSample() {
        std::error_code ignored;
        std::filesystem::remove(path, ignored);
    }
    std::size_t size = 0;
};

RepeatedSample& repeatedSample() {
    static RepeatedSample made;
    return made;
}

void runProcess(benchmark::State& state, const std::string& command) {
    const std::string line = command + " '" + repeatedSample().path.string() + "' > /dev/null";
    for (auto _ : state) {
        if (std::system(line.c_str()) != 0) {
            state.SkipWithError("the command failed");
            return;
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * repeatedSample().size));
}

void BM_OutlinePrinterProcess(benchmark::State& state) {
    runProcess(state, std::string("'") + NUVELLA_OUTLINE + "'");
}
void BM_WcLinesProcessBaseline(benchmark::State& state) {
    runProcess(state, "wc -l");
}

// What the scan would cost if it read every file whole before testing its first line.
void BM_ReadEveryFileWholeBaseline(benchmark::State& state) {
    inStrangers(state, [&] {
        for (const auto& entry : std::filesystem::directory_iterator(".")) {
            benchmark::DoNotOptimize(readIssueFile(entry.path().string()));
        }
    });
}

// Articles from a small issue in memory.
struct RenderFixture {
    Issue issue;
    explicit RenderFixture(const std::string& text) {
        issue.text = TextBlock(text.size());
        std::memcpy(issue.text.get(), text.data(), text.size());
        issue.textSize = text.size();
        splitIntoPieces(issue, 0);
    }
};

void BM_RenderArticle(benchmark::State& state) {
    std::string text = " :: \"A typical article\" by the editors\n";
    for (int i = 0; i < 40; ++i) {
        text += i % 10 == 0
                    ? " ____ A heading in the article\n"
                    : "Body text of an ordinary line, with a caf\xE9 and {braces} now and then.\n";
    }
    text += "== next ==\n";
    RenderFixture fixture(text);
    ArticleStream stream;
    for (auto _ : state) {
        BuildArticleRtf(stream, fixture.issue.head(), 9);
        benchmark::DoNotOptimize(stream.data.data());
    }
    state.counters["bytes"] = static_cast<double>(stream.size());
}

void BM_RenderLongestArticle(benchmark::State& state) {
    std::string text;
    for (int i = 0; i < 2000; ++i) {
        text += "A long article that runs past the cut, line after line of body text here.\n";
    }
    RenderFixture fixture(text);
    ArticleStream stream;
    for (auto _ : state) {
        BuildArticleRtf(stream, fixture.issue.head(), 9);
        benchmark::DoNotOptimize(stream.data.data());
    }
    state.counters["bytes"] = static_cast<double>(stream.size());
}

BENCHMARK(BM_ParseIssueLf)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_ParseIssueCrLf)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_LoadIssueLf)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_LoadIssueCrLf)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_GetlineBaseline)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_ReadAndMemchrBaseline)->Unit(benchmark::kMillisecond)->MinTime(2.0);
// Processes: the time is the wall clock of the child, so these use real time.
BENCHMARK(BM_OutlinePrinterProcess)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_WcLinesProcessBaseline)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_ScanDirectoryOfLargeStrangers)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OpenEveryFileBaseline)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadEveryFileWholeBaseline)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_RenderArticle)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RenderLongestArticle)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
