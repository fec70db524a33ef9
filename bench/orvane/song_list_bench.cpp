// Song list commands on a list of 10,000 entries.
#include "song_list.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

constexpr int kEntries = 10'000;

std::vector<std::string> FileNames(int count)
{
    std::vector<std::string> names;
    names.reserve(static_cast<std::size_t>(count));
    orvane::TClockRandomSource random(7);
    for (int i = 0; i < count; ++i) {
        names.push_back("Track " + std::to_string(random.Below(1'000'000)) + " - Some Artist.mp3");
    }
    return names;
}

std::int32_t FakePlayTime(const std::string& fullName)
{
    return static_cast<std::int32_t>(fullName.size() * 37 % 600);
}

// A full list in shuffled order, added folder by folder (100 folders).
orvane::TSongList FullList()
{
    orvane::TSongList list;
    list.SetSortState({orvane::TSortKey::NoSort, false, false});
    const auto names = FileNames(kEntries);
    for (int folder = 0; folder < 100; ++folder) {
        const std::span<const std::string> part(names.data() + folder * 100, 100);
        list.Add("D:\\Music\\Folder " + std::to_string(folder), part, FakePlayTime);
    }
    orvane::TClockRandomSource random(11);
    list.Randomize(random);
    return list;
}

void AddAll(benchmark::State& state)
{
    const auto names = FileNames(kEntries);
    for (auto _ : state) {
        orvane::TSongList list;  // Sort Always by file name, duplicates checked
        list.Add("D:\\Music\\", names, FakePlayTime);
        benchmark::DoNotOptimize(list.Count());
    }
}
BENCHMARK(AddAll)->Unit(benchmark::kMillisecond);

void AddOneToAFullList(benchmark::State& state)
{
    orvane::TSongList list = FullList();
    list.SetSortState({orvane::TSortKey::ByFilename, true, false});
    list.UpdateListCommands();
    const std::vector<std::string> one = {"New song.mp3"};
    for (auto _ : state) {
        list.Add("E:\\", one, FakePlayTime);
        state.PauseTiming();
        list.ClearSelection();
        list.SetSelected(FindSongEntry(list.Entries(), "New song.mp3", "E:\\"), true);
        list.RemoveSelected();
        state.ResumeTiming();
    }
}
BENCHMARK(AddOneToAFullList)->Unit(benchmark::kMillisecond);

void Sort(benchmark::State& state)
{
    const auto key = static_cast<orvane::TSortKey>(state.range(0));
    const orvane::TSongList shuffled = FullList();
    for (auto _ : state) {
        state.PauseTiming();
        orvane::TSongList list = shuffled;
        state.ResumeTiming();
        list.ChooseSortItem(key);
        benchmark::DoNotOptimize(list.Entry(0));
    }
}
BENCHMARK(Sort)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

void RemoveHalf(benchmark::State& state)
{
    const orvane::TSongList full = FullList();
    for (auto _ : state) {
        state.PauseTiming();
        orvane::TSongList list = full;
        for (int i = 0; i < list.Count(); i += 2) list.SetSelected(i, true);
        list.SetCurrentIndex(kEntries - 1);
        state.ResumeTiming();
        list.RemoveSelected();
        benchmark::DoNotOptimize(list.Count());
    }
}
BENCHMARK(RemoveHalf)->Unit(benchmark::kMillisecond);

void MoveBlock(benchmark::State& state)
{
    orvane::TSongList list = FullList();
    for (int i = 4'000; i < 6'000; ++i) list.SetSelected(i, true);
    for (auto _ : state) {
        list.MoveUp();
        list.MoveDown();
    }
    state.SetItemsProcessed(state.iterations() * 2);
}
BENCHMARK(MoveBlock)->Unit(benchmark::kMillisecond);

void Randomize(benchmark::State& state)
{
    orvane::TSongList list = FullList();
    orvane::TClockRandomSource random(3);
    for (auto _ : state) list.Randomize(random);
}
BENCHMARK(Randomize)->Unit(benchmark::kMillisecond);

void Totals(benchmark::State& state)
{
    orvane::TSongList list = FullList();
    for (int i = 0; i < list.Count(); i += 3) list.SetSelected(i, true);
    for (auto _ : state) {
        const orvane::TListTotals totals = list.Totals();
        benchmark::DoNotOptimize(orvane::TotalTimeLabel(totals));
        benchmark::DoNotOptimize(orvane::TotalSongLabel(totals, list.CurrentIndex()));
    }
}
BENCHMARK(Totals)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
