// Set file load and save of 10,000 entries (goal: under 50 ms each).
// The files go to a fresh folder under the system's temp directory.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "current_set.h"
#include "memory_settings_store.h"
#include "set_file_format.h"
#include "set_file_io.h"
#include "set_names.h"

namespace {

std::vector<orvane::TSongEntry> MakeEntries(int count) {
    std::vector<orvane::TSongEntry> entries;
    entries.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        orvane::TSongEntry e;
        e.caption = "Artist " + std::to_string(i % 97) + " - Song number " + std::to_string(i) + ".mp3";
        e.folder = "C:\\Music\\Collection\\Album " + std::to_string(i % 500) + "\\";
        e.secondsText = std::to_string(120 + i % 300);
        e.timeText = std::to_string((120 + i % 300) / 60) + ":00";
        e.usedFlag.assign(1, i % 3 == 0 ? '1' : '0');
        e.stateImage = (i % 3 == 0) ? 0 : -1;
        entries.push_back(std::move(e));
    }
    return entries;
}

class TempDir {
public:
    TempDir() {
        std::random_device rd;
        path = std::filesystem::temp_directory_path() / ("orvane-bench-" + std::to_string(rd()));
        std::filesystem::create_directories(path);
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    std::filesystem::path path;
};

void BM_EncodeSetFile(benchmark::State& state) {
    orvane::TSetFileImage image = orvane::DefaultSongListImage({});
    image.entries = MakeEntries(static_cast<int>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(orvane::WriteSetFile(image));
}

void BM_DecodeSetFile(benchmark::State& state) {
    orvane::TSetFileImage image = orvane::DefaultSongListImage({});
    image.entries = MakeEntries(static_cast<int>(state.range(0)));
    const auto bytes = orvane::WriteSetFile(image);
    for (auto _ : state) benchmark::DoNotOptimize(orvane::ReadSetFile(bytes));
    state.counters["bytes"] = static_cast<double>(bytes.size());
}

// SaveCurrentSet as the main window runs it: column widths, then the file (write beside, rename).
void BM_SaveCurrentSet(benchmark::State& state) {
    TempDir dir;
    orvane::MemorySettingsStore store;
    const auto rows = MakeEntries(static_cast<int>(state.range(0)));
    const auto control = orvane::DefaultSongListImage({});
    for (auto _ : state) {
        orvane::SaveCurrentSet(store, dir.path, "Bench", control, rows, {});
    }
}

// LoadCurrentSet as the main window runs it: read, decode, restore the marks.
void BM_LoadCurrentSet(benchmark::State& state) {
    TempDir dir;
    orvane::MemorySettingsStore store;
    orvane::SaveCurrentSet(store, dir.path, "Bench", orvane::DefaultSongListImage({}),
                           MakeEntries(static_cast<int>(state.range(0))), {});
    for (auto _ : state) {
        auto loaded = orvane::LoadCurrentSet(store, dir.path, "Bench", true);
        if (loaded.image.entries.size() != static_cast<std::size_t>(state.range(0))) {
            state.SkipWithError("set not read whole");
        }
        benchmark::DoNotOptimize(loaded);
    }
}

}  // namespace

BENCHMARK(BM_EncodeSetFile)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeSetFile)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveCurrentSet)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadCurrentSet)->Arg(10000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
