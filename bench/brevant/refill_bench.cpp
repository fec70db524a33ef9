// Time to refill one playback buffer: read one block (7680 frames) of each of
// 10 tracks (5 stereo, 5 mono, 44100 Hz) and mix them, against the 174 ms the
// buffer takes to play. The device is a stand-in that hands every buffer back
// at once; the tracks sit in the page cache. Also counts heap allocations
// made while refilling, which must be none.
//
//   brevant_refill_bench [--seconds=N] [Google Benchmark flags]
//
// The tracks are generated in a temporary folder and removed at the end.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <array>
#include <filesystem>
#include <new>
#include <random>
#include <string>
#include <vector>

#include "block_size.h"
#include "playback_engine.h"
#include "song.h"
#include "wave_file_writer.h"
#include "wave_output.h"

namespace {

std::atomic<long> allocations{0};

}  // namespace

void* operator new(std::size_t n) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(n == 0 ? 1 : n)) return p;
    throw std::bad_alloc();
}
// The replaced operator new takes its memory from malloc, so free is the match
// (the compiler cannot see that).
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
#pragma GCC diagnostic pop

namespace {

int trackSeconds = 60;

// Hands every buffer straight back, in the order written. A fixed ring, so
// that the device itself never allocates.
class ImmediateDevice : public brevant::WaveOutDevice {
public:
    int open(const brevant::WaveFormat&) override { return 0; }
    void pause() override {}
    void restart() override {}
    int write(int slot, const void*, std::uint32_t) override {
        ring[(head + count++) % ring.size()] = slot;
        return 0;
    }
    int next() {
        const int slot = ring[head];
        head = (head + 1) % ring.size();
        --count;
        return slot;
    }
    void clear() { head = count = 0; }
    void unprepare(int) override {}
    void reset() override {}
    int close() override { return 0; }
    std::uint32_t positionSamples() override { return 0; }
    std::string errorText(int) override { return {}; }

    std::array<int, brevant::PlaybackEngine::kBuffers> ring{};
    std::size_t head = 0;
    std::size_t count = 0;
};

void writeTrack(const std::string& path, std::uint16_t channels, int seconds, unsigned seed) {
    brevant::WaveFileWriter w;
    if (!brevant::startWaveOutput(w, path, brevant::WaveFormat::pcm(channels, 44100, 16))) std::exit(2);
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> noise(-4000, 4000);
    std::vector<std::int16_t> second(static_cast<std::size_t>(44100) * channels);
    for (int s = 0; s < seconds; ++s) {
        for (std::size_t i = 0; i < second.size(); ++i) {
            const double t = static_cast<double>(i / channels) / 44100.0;
            second[i] = static_cast<std::int16_t>(8000.0 * std::sin(6.2831853 * 110.0 * (seed + 1) * t) + noise(rng));
        }
        if (!w.write(second.data(), second.size() * 2)) std::exit(2);
    }
    if (!brevant::finishWaveOutput(w)) std::exit(2);
}

struct Songs {
    Songs() {
        dir = std::filesystem::temp_directory_path() / ("brevant-refill-bench-" + std::to_string(std::random_device{}()));
        std::filesystem::create_directories(dir);
        for (int i = 0; i < brevant::kMaxTracks; ++i) {
            const bool stereo = i % 2 == 0;
            const std::string path = (dir / ("track" + std::to_string(i) + ".wav")).string();
            writeTrack(path, stereo ? 2 : 1, trackSeconds, static_cast<unsigned>(i));
            brevant::Track& t = song.track(i);
            t.fileName = path;
            t.stereo = stereo ? 1 : 0;
            t.volume = static_cast<std::int16_t>(60 + 4 * i);
            t.pan = static_cast<std::int16_t>(20 * i);
        }
        song.trackCount = brevant::kMaxTracks;
        song.boost = 20;
    }
    ~Songs() {
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
    std::filesystem::path dir;
    brevant::Song song;
};

Songs& songs() {
    static Songs s;
    return s;
}

void refill(benchmark::State& state, bool mono) {
    ImmediateDevice device;
    brevant::PlaybackEngine engine(songs().song, device);
    auto start = [&] {
        device.clear();
        if (!engine.start(mono)) state.SkipWithError("start failed");
    };
    start();
    long allocated = 0;
    for (auto _ : state) {
        if (engine.endOfData()) {
            state.PauseTiming();
            start();
            state.ResumeTiming();
        }
        const int slot = device.next();
        const long before = allocations.load(std::memory_order_relaxed);
        const brevant::RefillResult r = engine.refill(slot);
        allocated += allocations.load(std::memory_order_relaxed) - before;
        benchmark::DoNotOptimize(r);
    }
    const double playMs = 1000.0 * brevant::kBlockFrames / 44100.0;
    state.counters["allocs_per_refill"] = static_cast<double>(allocated) / static_cast<double>(state.iterations());
    state.counters["play_ms"] = playMs;
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(5 * brevant::kStereoBlockBytes +
                                                                           5 * brevant::kMonoBlockBytes));
}

void BM_RefillStereo(benchmark::State& state) { refill(state, false); }
void BM_RefillMono(benchmark::State& state) { refill(state, true); }

BENCHMARK(BM_RefillStereo)->Unit(benchmark::kMicrosecond)->MinTime(2.0);
BENCHMARK(BM_RefillMono)->Unit(benchmark::kMicrosecond)->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--seconds=", 10) == 0) trackSeconds = std::max(1, std::atoi(argv[i] + 10));
    }
    benchmark::Initialize(&argc, argv);
    songs();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
