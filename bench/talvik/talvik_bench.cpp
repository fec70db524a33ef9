// Times the splitter on a generated track: plain reads (the speed of `cat`), reads in
// the analysis block size, the fast and the plain analysis, and Split&save.
//
//   talvik_bench [--mib N] [--dir DIR] [--out DIR] [--reps N] [--format 8|16|both]
//                [--keep 1] [--generate-only 1]
//
// The track is written under DIR (default: the system temp directory) and deleted at
// the end; sounds go to OUT (default /dev/shm when present) and are deleted after
// each run. Every figure is the best of --reps runs with the track in the page cache.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "file_names.h"
#include "reference_detector.h"
#include "sound_detector.h"
#include "splitter.h"
#include "track_file.h"

namespace fs = std::filesystem;
using namespace talvik;

namespace {

struct Options {
    std::int64_t mib = 1024;
    std::string dir = fs::temp_directory_path().string();
    std::string out = fs::exists("/dev/shm") ? "/dev/shm" : fs::temp_directory_path().string();
    int reps = 3;
    std::string format = "both";
    bool skipPlain = false;
    bool keep = false;          // leave the track for timing `cat` by hand
    bool generateOnly = false;  // write the track, time nothing, keep it
};

// Sounds of 5,000 to 200,000 samples (decaying tones with noise, up to 80 % of full
// scale) between silences of 3,000 to 30,000 samples with a noise floor of 2 %.
void GenerateTrack(const std::string& name, SampleFormat load, std::int64_t bytes) {
    std::FILE* f = std::fopen(name.c_str(), "wb");
    if (f == nullptr) {
        std::perror(name.c_str());
        std::exit(1);
    }
    std::uint64_t rng = 12345;
    auto next = [&]() {
        rng = rng * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<std::uint32_t>(rng >> 33);
    };
    std::vector<double> sine(4096);
    for (std::size_t i = 0; i < sine.size(); ++i) {
        sine[i] = std::sin(2 * 3.14159265358979 * static_cast<double>(i) / 4096.0);
    }
    const bool wide = Is16Bit(load);
    const double full = wide ? 32767.0 : 127.0;
    std::vector<std::uint8_t> chunk;
    chunk.reserve(1 << 21);
    std::int64_t written = 0;
    auto put = [&](double v) {
        const int s = static_cast<int>(std::lround(std::clamp(v, -full, full)));
        if (wide) {
            const auto u = static_cast<std::uint16_t>(static_cast<std::int16_t>(s));
            chunk.push_back(static_cast<std::uint8_t>(u & 0xFF));
            chunk.push_back(static_cast<std::uint8_t>(u >> 8));
        } else {
            chunk.push_back(static_cast<std::uint8_t>(static_cast<std::int8_t>(s)));
        }
        if (chunk.size() >= (1u << 21)) {
            std::fwrite(chunk.data(), 1, chunk.size(), f);
            written += static_cast<std::int64_t>(chunk.size());
            chunk.clear();
        }
    };
    auto noise = [&](double amplitude) {
        return (static_cast<double>(next() % 2001) / 1000.0 - 1.0) * amplitude;
    };
    const std::int64_t samples = bytes / BytesPerSample(load);
    std::int64_t made = 0;
    while (made < samples) {
        const std::int64_t gap = 3000 + next() % 27000;
        for (std::int64_t i = 0; i < gap && made < samples; ++i, ++made) {
            put(noise(0.02 * full));
        }
        const std::int64_t length = 5000 + next() % 195000;
        const double amplitude = (0.3 + static_cast<double>(next() % 500) / 1000.0) * full;
        const std::uint32_t pitch = 20 + next() % 200;
        std::uint32_t phase = 0;
        for (std::int64_t i = 0; i < length && made < samples; ++i, ++made) {
            const double decay = 1.0 - static_cast<double>(i) / static_cast<double>(length);
            put(amplitude * decay * sine[(phase += pitch) & 4095] + noise(0.02 * full));
        }
    }
    std::fwrite(chunk.data(), 1, chunk.size(), f);
    std::fclose(f);
}

// Wall time and the process's processor time (user + system) of the best run: on a
// machine shared with other work the processor time is the steadier figure.
struct Timing {
    double wall = 1e30;
    double cpu = 1e30;
};

Timing Seconds(const std::function<void()>& work, int reps) {
    Timing best;
    for (int r = 0; r < reps; ++r) {
        const auto t0 = std::chrono::steady_clock::now();
        const std::clock_t c0 = std::clock();
        work();
        const double cpu = static_cast<double>(std::clock() - c0) / CLOCKS_PER_SEC;
        const double wall =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        if (wall < best.wall)
            best = {wall, cpu};
    }
    return best;
}

Timing Best(Timing a, Timing b) {
    return a.wall < b.wall ? a : b;
}

void Report(const char* what, Timing t, std::int64_t bytes) {
    const double gb = static_cast<double>(bytes) / 1e9;
    std::printf("  %-34s wall %7.3f s %6.2f GB/s   cpu %7.3f s %6.2f GB/s\n", what, t.wall,
                gb / t.wall, t.cpu, t.cpu > 0 ? gb / t.cpu : 0.0);
}

std::int64_t ReadAll(const std::string& name, std::size_t block) {
    TrackFile track(name);
    std::vector<std::uint8_t> buffer(block);
    std::int64_t sum = 0;
    while (std::size_t got = track.read(buffer.data(), block)) {
        sum += buffer[got - 1];
    }
    return sum;
}

void RunFormat(const Options& o, SampleFormat load) {
    const std::string src =
        (fs::path(o.dir) / ("talvik-bench-" + std::string(Is16Bit(load) ? "16" : "8"))).string() +
        kDirSeparator;
    const std::string out = (fs::path(o.out) / "talvik-bench-out").string() + kDirSeparator;
    fs::create_directories(src);
    const std::string name = TrackFileName(load, 1, src);
    const std::int64_t bytes = o.mib << 20;
    std::printf("%s track, %lld MiB (%s)\n", std::string(Caption(load)).c_str(),
                static_cast<long long>(o.mib), name.c_str());
    GenerateTrack(name, load, bytes);
    if (o.generateOnly) {
        std::printf("    kept %s\n", name.c_str());
        return;
    }
    ReadAll(name, 1 << 17);  // into the page cache

    SplitterSettings settings;
    settings.sourceDir = src;
    settings.saveDir = out;
    settings.load = load;
    settings.save = load;
    SilentBeeper beeper;
    Splitter splitter(beeper, settings);

    volatile std::int64_t sink = 0;
    Report("read, 128 KiB blocks (cat)",
           Seconds([&] { sink = sink + ReadAll(name, 1 << 17); }, o.reps), bytes);
    Report("read, analysis blocks",
           Seconds([&] { sink = sink + ReadAll(name, AnalysisBlockBytes(load)); }, o.reps), bytes);
    Report("analysis, fast (with overview)",
           Seconds([&] { splitter.analyzeCurrentTrack(settings); }, o.reps), bytes);
    std::printf("    found %s, %s\n", splitter.view().foundLabel.c_str(),
                splitter.view().trackLabel.c_str());
    const TriggerParams params = TriggerParams::Make(load, settings.noisePercent, settings.silence);
    {
        // The scan alone, over the track held in memory: what the analysis adds to reading.
        std::vector<std::uint8_t> all(static_cast<std::size_t>(bytes));
        TrackFile track(name);
        all.resize(track.read(all.data(), all.size()));
        SoundDetector fast(params);
        const std::size_t block = AnalysisBlockBytes(load);
        Report("scan only, fast, in memory",
               Seconds(
                   [&] {
                       fast.reset(params);
                       for (std::size_t at = 0; at < all.size(); at += block) {
                           fast.feed(all.data() + at, std::min(block, all.size() - at));
                       }
                   },
                   o.reps),
               bytes);
    }
    auto plainCount = static_cast<std::size_t>(splitter.sounds().count());
    if (!o.skipPlain)
        Report("analysis, plain state machine",
               Seconds(
                   [&] {
                       ReferenceDetector plain(params);
                       TrackFile track(name);
                       std::vector<std::uint8_t> buffer(AnalysisBlockBytes(load));
                       while (std::size_t got = track.read(buffer.data(), buffer.size())) {
                           plain.feed(buffer.data(), got);
                       }
                       plainCount = plain.sounds().size();
                   },
                   o.reps),
               bytes);
    if (plainCount != static_cast<std::size_t>(splitter.sounds().count())) {
        std::printf("    MISMATCH: plain found %zu sounds\n", plainCount);
    }
    const std::int64_t saved = splitter.sounds().totalLength() * BytesPerSample(load);
    {
        // What the output disk takes: the same bytes in one file, in copy-sized writes.
        fs::create_directories(out);
        const std::string boundFile = out + "write-bound";
        std::vector<std::uint8_t> block(CopyBuffer::kBytes, 1);
        Timing t;
        for (int r = 0; r < o.reps; ++r) {
            fs::remove(boundFile);
            t = Best(t, Seconds(
                            [&] {
                                std::FILE* f = std::fopen(boundFile.c_str(), "wb");
                                for (std::int64_t left = saved; left > 0;
                                     left -= static_cast<std::int64_t>(block.size())) {
                                    std::fwrite(block.data(), 1,
                                                std::min<std::size_t>(
                                                    block.size(), static_cast<std::size_t>(left)),
                                                f);
                                }
                                std::fclose(f);
                            },
                            1));
        }
        Report("write only, one file (bound)", t, saved);
        fs::remove_all(out);
    }
    for (bool maximize : {false, true}) {
        settings.maximize = maximize;
        // Only the saving is timed; clearing the last run's files is not.
        Timing t;
        for (int r = 0; r < o.reps; ++r) {
            fs::remove_all(out);
            fs::create_directories(out);
            t = Best(t, Seconds([&] { splitter.splitAndSave(settings); }, 1));
        }
        Report(maximize ? "split&save with Maximize (written)" : "split&save (bytes written)", t,
               saved);
        fs::remove_all(out);
    }
    if (o.keep) {
        std::printf("    kept %s\n", name.c_str());
    } else {
        fs::remove_all(src);
    }
}

}  // namespace

int main(int argc, char** argv) {
    Options o;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string a = argv[i];
        const std::string v = argv[i + 1];
        if (a == "--mib")
            o.mib = std::atoll(v.c_str());
        else if (a == "--dir")
            o.dir = v;
        else if (a == "--out")
            o.out = v;
        else if (a == "--reps")
            o.reps = std::atoi(v.c_str());
        else if (a == "--format")
            o.format = v;
        else if (a == "--skip-plain")
            o.skipPlain = v == "1";
        else if (a == "--generate-only")
            o.generateOnly = v == "1";
        else if (a == "--keep")
            o.keep = v == "1";
        else {
            std::fprintf(stderr, "unknown option %s\n", a.c_str());
            return 2;
        }
    }
    if (o.format != "16")
        RunFormat(o, SampleFormat::Raw8);
    if (o.format != "8")
        RunFormat(o, SampleFormat::Bit16);
    return 0;
}
