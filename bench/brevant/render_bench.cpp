// Times the render of a 10-track song (5 stereo and 5 mono tracks of 3 minutes
// at 44100 Hz, about 240 MB) from a warm page cache against a plain read of the
// same bytes in the same blocks, and, when installed, `sox -m` and ffmpeg's
// `amix` on the same tracks.
//
//   brevant_render_bench [--seconds N] [--runs N] [--out FILE] [--no-compare]
//
// The tracks are generated in a temporary folder and removed at the end.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <time.h>

#include "binary_file.h"
#include "block_size.h"
#include "mixer.h"
#include "song_renderer.h"
#include "wave_file_writer.h"
#include "wave_output.h"

namespace {

using Clock = std::chrono::steady_clock;

struct QuietEvents : brevant::RenderEvents {
    void showMessage(const std::string& text, const std::string& caption) override {
        if (caption != "Rendering") std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    }
    void setProgressRange(std::int64_t) override {}
    void stepProgress() override {}
    void finished(brevant::RenderOutcome) override {}
};

void writeTrack(const std::string& path, std::uint16_t channels, int seconds, unsigned seed) {
    brevant::WaveFileWriter w;
    if (!brevant::startWaveOutput(w, path, brevant::WaveFormat::pcm(channels, 44100, 16))) std::exit(2);
    std::mt19937 rng(seed);
    std::normal_distribution<double> noise(0.0, 6000.0);
    std::vector<std::int16_t> block(static_cast<std::size_t>(44100) * channels);
    for (int s = 0; s < seconds; ++s) {
        for (std::size_t i = 0; i < block.size(); ++i) {
            const double t = static_cast<double>(i / channels) / 44100.0;
            const double v = 8000.0 * std::sin(2 * 3.14159265 * (110.0 * (seed + 1)) * t) + noise(rng);
            block[i] = static_cast<std::int16_t>(std::clamp(v, -32768.0, 32767.0));
        }
        if (!w.write(block.data(), block.size() * 2)) std::exit(2);
    }
    if (!brevant::finishWaveOutput(w)) std::exit(2);
}

// Reads every track to its end in the engine's block sizes.
std::uint64_t readAll(const std::vector<std::string>& paths, const std::vector<bool>& stereo) {
    std::vector<char> buf(brevant::kStereoBlockBytes);
    std::uint64_t total = 0;
    std::vector<brevant::BinaryFile> files(paths.size());
    for (std::size_t i = 0; i < paths.size(); ++i) files[i].open(paths[i], brevant::BinaryFile::Mode::Read);
    bool any = true;
    while (any) {
        any = false;
        for (std::size_t i = 0; i < files.size(); ++i) {
            const std::size_t n = files[i].read(buf.data(), stereo[i] ? brevant::kStereoBlockBytes
                                                                      : brevant::kMonoBlockBytes);
            total += n;
            any = any || n > 0;
        }
    }
    return total;
}

// CPU time of this process (all threads) and of its finished children: the
// machine is shared, so CPU time is the steadier figure beside wall time.
double cpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    rusage children{};
    getrusage(RUSAGE_CHILDREN, &children);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9 +
           static_cast<double>(children.ru_utime.tv_sec + children.ru_stime.tv_sec) +
           static_cast<double>(children.ru_utime.tv_usec + children.ru_stime.tv_usec) * 1e-6;
}

struct Timing {
    double wall = 1e30;
    double cpu = 1e30;
};

// Reads every track whole, one file after the other, in large pieces: the
// cheapest way to bring the same bytes in.
std::uint64_t readWhole(const std::vector<std::string>& paths) {
    std::vector<char> buf(1 << 20);
    std::uint64_t total = 0;
    for (const auto& p : paths) {
        brevant::BinaryFile f;
        f.open(p, brevant::BinaryFile::Mode::Read);
        for (std::size_t n; (n = f.read(buf.data(), buf.size())) > 0;) total += n;
    }
    return total;
}

template <typename F>
Timing bestOf(int runs, F&& f) {
    Timing best;
    for (int r = 0; r < runs; ++r) {
        const auto t0 = Clock::now();
        const double c0 = cpuSeconds();
        f();
        best.cpu = std::min(best.cpu, cpuSeconds() - c0);
        best.wall = std::min(best.wall, std::chrono::duration<double>(Clock::now() - t0).count());
    }
    return best;
}

Timing timeCommand(const std::string& command, int runs) {
    int status = 0;
    Timing t = bestOf(runs, [&] { status = std::system(command.c_str()); });
    if (status != 0) t.wall = -1.0;
    return t;
}

void report(const char* name, const Timing& t, int seconds) {
    std::printf("%-12s wall %7.4f s %7.0fx real time | cpu %7.4f s %7.0fx real time\n", name, t.wall,
                seconds / t.wall, t.cpu, seconds / t.cpu);
}

}  // namespace

int main(int argc, char** argv) {
    int seconds = 180;
    int runs = 7;
    bool compare = true;
    std::string out = std::filesystem::exists("/dev/shm") ? "/dev/shm/brevant-bench-render.wav" : "";
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--seconds" && i + 1 < argc) seconds = std::atoi(argv[++i]);
        else if (a == "--runs" && i + 1 < argc) runs = std::atoi(argv[++i]);
        else if (a == "--out" && i + 1 < argc) out = argv[++i];
        else if (a == "--no-compare") compare = false;
        else {
            std::fprintf(stderr, "usage: brevant_render_bench [--seconds N] [--runs N] [--out FILE] [--no-compare]\n");
            return 2;
        }
    }
    const auto dir = std::filesystem::temp_directory_path() / ("brevant-bench-" + std::to_string(std::random_device{}()));
    std::filesystem::create_directories(dir);
    if (out.empty()) out = (dir / "render.wav").string();

    brevant::Song song;
    std::vector<std::string> paths;
    std::vector<bool> stereo;
    for (int i = 0; i < 10; ++i) {
        const bool st = i % 2 == 0;
        const std::string path = (dir / ("track" + std::to_string(i) + ".wav")).string();
        writeTrack(path, st ? 2 : 1, seconds, static_cast<unsigned>(i));
        brevant::Track& t = song.track(i);
        t.fileName = path;
        t.stereo = st ? 1 : 0;
        t.volume = static_cast<std::int16_t>(60 + 4 * i);
        t.pan = static_cast<std::int16_t>(20 * i);
        paths.push_back(path);
        stereo.push_back(st);
    }
    song.trackCount = 10;
    song.boost = 30;

    std::uint64_t bytes = 0;
    bytes = readAll(paths, stereo);  // warms the page cache
    const Timing readTime = bestOf(runs, [&] { bytes = readAll(paths, stereo); });

    const Timing wholeTime = bestOf(runs, [&] { bytes = readWhole(paths); });
    QuietEvents events;
    brevant::SongRenderer renderer(events);
    brevant::RenderOutcome outcome{};
    const Timing renderTime = bestOf(runs, [&] { outcome = renderer.render(song, out, seconds); });
    if (outcome != brevant::RenderOutcome::Completed) {
        std::fprintf(stderr, "render failed\n");
        return 1;
    }

    std::printf("song: 10 tracks (5 stereo, 5 mono) of %d s at 44100 Hz, %.1f MB\n", seconds,
                static_cast<double>(bytes) / 1e6);
    report("read 1 MB", wholeTime, seconds);
    report("read blocks", readTime, seconds);
    report("render", renderTime, seconds);
    // The same render on the narrower vector units, where the processor has wider ones.
    const brevant::MixerPath widest = brevant::mixerPath();
    const std::pair<brevant::MixerPath, const char*> narrower[] = {{brevant::MixerPath::Avx2, "  avx2 mix"},
                                                               {brevant::MixerPath::Baseline, "  sse2 mix"}};
    for (const auto& [path, name] : narrower) {
        if (path == widest || !brevant::setMixerPath(path)) continue;
        report(name, bestOf(runs, [&] { renderer.render(song, out, seconds); }), seconds);
    }
    brevant::setMixerPath(widest);
    std::printf("render / read blocks: wall %.2fx, cpu %.2fx\n", renderTime.wall / readTime.wall,
                renderTime.cpu / readTime.cpu);
    std::printf("render / read 1 MB  : wall %.2fx, cpu %.2fx\n", renderTime.wall / wholeTime.wall,
                renderTime.cpu / wholeTime.cpu);

    if (compare) {
        std::string inputs;
        std::string ffInputs;
        for (const auto& p : paths) {
            inputs += " \"" + p + "\"";
            ffInputs += " -i \"" + p + "\"";
        }
        const std::string soxOut = (dir / "sox.wav").string();
        const std::string ffOut = (dir / "ffmpeg.wav").string();
        if (std::system("command -v sox >/dev/null 2>&1") == 0) {
            const Timing t = timeCommand("sox -m" + inputs + " -c 2 \"" + soxOut + "\" 2>/dev/null", 3);
            if (t.wall > 0) report("sox -m", t, seconds);
        }
        if (std::system("command -v ffmpeg >/dev/null 2>&1") == 0) {
            const Timing t = timeCommand("ffmpeg -nostdin -v quiet -y -threads 1" + ffInputs +
                                             " -filter_complex amix=inputs=10 -ac 2 \"" + ffOut + "\"",
                                         3);
            if (t.wall > 0) report("ffmpeg amix", t, seconds);
        }
    }
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
    std::filesystem::remove(out, ec);
    return 0;
}
