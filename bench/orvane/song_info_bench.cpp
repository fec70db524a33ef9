// Header, play time and tag reading of 2,000 song files on a warm cache.
#include "mp3_builder.h"
#include "song_file.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using namespace orvane::test;

constexpr int kFiles = 2'000;

// A mix like a real collection: a third plain, a third with a small ID3v2
// tag, a third with a 40 KB one (cover art), a quarter variable-rate; every
// file carries an ID3 version 1 tag. 48 KB of audio each keeps the folder small.
struct TSongFolder {
    TTempFolder folder;
    std::vector<std::string> names;

    TSongFolder()
    {
        const TFrameSpec shape{3, 1, 9, 0, false, false};
        for (int i = 0; i < kFiles; ++i) {
            TBytes head;
            if (i % 3 == 1) head = Id3v2Tag(1'500);
            if (i % 3 == 2) head = Id3v2Tag(40'000);
            TBytes audio = i % 4 == 0 ? Join({XingFrame(shape, 417, 36, "Xing", 9'000), FramesOfSize(shape, 417, 48'000)})
                                      : FramesOfSize(shape, 417, 48'000);
            const std::string name = "song" + std::to_string(i) + ".mp3";
            names.push_back(folder.Write(name, Join({head, audio, Id3v1Tag("Title " + name, 17)})).string());
        }
    }
};

TSongFolder& Folder()
{
    static auto folder = std::make_unique<TSongFolder>();
    return *folder;
}

void ReadHeaderAndTag(benchmark::State& state)
{
    auto& folder = Folder();
    for (const auto& name : folder.names) orvane::ReadSongFileInfo(name);  // warm the cache
    for (auto _ : state) {
        for (const auto& name : folder.names) benchmark::DoNotOptimize(orvane::ReadSongFileInfo(name).seconds);
    }
    state.SetItemsProcessed(state.iterations() * kFiles);
}
BENCHMARK(ReadHeaderAndTag)->Unit(benchmark::kMillisecond);

// What adding to the list costs per file.
void ReadPlayTimeOnly(benchmark::State& state)
{
    auto& folder = Folder();
    for (auto _ : state) {
        for (const auto& name : folder.names) benchmark::DoNotOptimize(orvane::ReadMpegInfo(name, nullptr));
    }
    state.SetItemsProcessed(state.iterations() * kFiles);
}
BENCHMARK(ReadPlayTimeOnly)->Unit(benchmark::kMillisecond);

// What the information panel does: header, then tag, one open each.
void ReadHeaderThenTagSeparately(benchmark::State& state)
{
    auto& folder = Folder();
    orvane::TTagBytes tag{};
    for (auto _ : state) {
        for (const auto& name : folder.names) {
            orvane::TMpegInfo info;
            benchmark::DoNotOptimize(orvane::ReadMpegInfo(name, &info));
            benchmark::DoNotOptimize(orvane::ReadTag(name, tag));
        }
    }
    state.SetItemsProcessed(state.iterations() * kFiles);
}
BENCHMARK(ReadHeaderThenTagSeparately)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
