#include "render_command.h"

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <optional>
#include <ostream>

#include "config_file.h"
#include "recorder_settings.h"
#include "song_length.h"
#include "song_project.h"
#include "song_renderer.h"
#include "system_path.h"
#include "track_conversion.h"
#include "wave_file_reader.h"

namespace brevant {

namespace {

constexpr const char* kUsage =
    "usage: brevant-render SONG.sng OUT.wav [--start SECONDS] [--config FILE]\n"
    "       brevant-render --info SONG.sng [--config FILE]\n"
    "       brevant-render --convert TRACK.wav [--no-dither]\n"
    "       brevant-render --help\n"
    "\n"
    "Renders a Brevant song (.sng) into one stereo 16-bit WAVE file, mixed with\n"
    "the song's volumes, pans, mutes, boost and lag compensation, as the\n"
    "program's File > Render song does: \".wav\" is appended to an output name\n"
    "without it, and the output has the frequency of the last track. One\n"
    "difference: every track must be mono or stereo at that same frequency (the\n"
    "program checks this when a track joins the song; a song whose tracks differ\n"
    "would be mixed at the wrong speed, so it is refused). Tracks of 8-, 24- or\n"
    "32-bit PCM or 32- or 64-bit float are converted to 16-bit PCM as they are\n"
    "read (dithered), without writing any file.\n"
    "\n"
    "  --start SECONDS  start that many whole seconds into the song (default 0)\n"
    "  --config FILE    recorder configuration, for --info's recording frequency\n"
    "                   (default: brevant.cfg in the current folder when there\n"
    "                   is one, else 44100 Hz); the render does not use it\n"
    "  --info           print the song: MIDI file, compensations, boost, one line\n"
    "                   per track and the song length\n"
    "  --convert        write a 16-bit PCM copy of the track beside it, as Track >\n"
    "                   Insert does, named \"TRACK (16-bit).wav\"; --no-dither\n"
    "                   rounds instead of dithering\n"
    "\n"
    "Exit status: 0 done, 1 failed (the message is on standard error), 2 usage.\n";

// Messages go to standard error, except the completion notice.
class ConsoleUi : public SongUi {
  public:
    explicit ConsoleUi(RenderCommandIo& io) : io_(io) {}
    void showMessage(const std::string& text, const std::string&) override {
        io_.err << "brevant-render: " << text << '\n';
    }
    Answer askYesNoCancel(const std::string&, const std::string&) override {
        return Answer::Cancel;
    }
    std::optional<std::string> chooseFileToOpen(const std::string&, FileKind) override {
        return std::nullopt;
    }
    std::optional<std::string> chooseFileToSave(const std::string&, FileKind) override {
        return std::nullopt;
    }
    void setTitle(const std::string&) override {}

  private:
    RenderCommandIo& io_;
};

class ConsoleRenderEvents : public RenderEvents {
  public:
    explicit ConsoleRenderEvents(RenderCommandIo& io) : io_(io) {}
    void showMessage(const std::string& text, const std::string& caption) override {
        endProgressLine();
        if (caption == "Rendering") {
            io_.out << text << '\n';
        } else {
            io_.err << "brevant-render: " << text << '\n';
        }
    }
    void setProgressRange(std::int64_t high) override { range_ = high > 0 ? high : 1; }
    void stepProgress() override {
        if (!io_.progress)
            return;
        const auto percent = static_cast<int>(std::min<std::int64_t>(100, ++steps_ * 100 / range_));
        if (percent != shown_) {
            shown_ = percent;
            io_.err << "\rRendering song... " << percent << "%" << std::flush;
        }
    }
    void finished(RenderOutcome outcome) override {
        endProgressLine();
        {
            std::lock_guard<std::mutex> lock(mutex_);
            outcome_ = outcome;
            done_ = true;
        }
        doneChanged_.notify_all();
    }
    // Waits at most `limit` for the render to finish; true once it has. Woken
    // at the finish itself, so that the process ends with the render.
    bool waitDone(std::chrono::milliseconds limit) {
        std::unique_lock<std::mutex> lock(mutex_);
        return doneChanged_.wait_for(lock, limit, [&] { return done_; });
    }
    // Valid once waitDone() is true.
    RenderOutcome outcome() const { return outcome_; }

  private:
    void endProgressLine() {
        if (shown_ >= 0)
            io_.err << '\n';
        shown_ = -1;
    }

    RenderCommandIo& io_;
    std::int64_t range_ = 1;
    std::int64_t steps_ = 0;
    int shown_ = -1;
    RenderOutcome outcome_ = RenderOutcome::Failed;
    bool done_ = false;
    std::mutex mutex_;
    std::condition_variable doneChanged_;
};

struct Options {
    bool help = false;
    bool info = false;
    bool convert = false;
    bool dither = true;
    std::string song;
    std::string output;
    std::int32_t startSeconds = 0;
    std::optional<std::string> config;
};

bool parseSeconds(const std::string& text, std::int32_t& value) {
    if (text.empty() || text.size() > 9)
        return false;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
    }
    value = static_cast<std::int32_t>(std::stol(text));
    return true;
}

// Returns an empty text on success, else what is wrong with the command line.
std::string parse(const std::vector<std::string>& args, Options& o) {
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--help" || a == "-h") {
            o.help = true;
        } else if (a == "--info") {
            o.info = true;
        } else if (a == "--convert") {
            o.convert = true;
        } else if (a == "--no-dither") {
            o.dither = false;
        } else if (a == "--start" || a == "--config") {
            if (i + 1 >= args.size())
                return a + " needs a value";
            const std::string& v = args[++i];
            if (a == "--config") {
                o.config = v;
            } else if (!parseSeconds(v, o.startSeconds)) {
                return "--start takes whole seconds, not \"" + v + "\"";
            }
        } else if (a.size() > 1 && a[0] == '-') {
            return "unknown option " + a;
        } else {
            positional.push_back(a);
        }
    }
    if (o.help)
        return {};
    if (o.info && o.convert)
        return "--info and --convert do not go together";
    if (!o.dither && !o.convert)
        return "--no-dither only goes with --convert";
    const std::size_t wanted = o.info || o.convert ? 1 : 2;
    if (positional.size() != wanted) {
        return o.info      ? "--info takes one song file"
               : o.convert ? "--convert takes one track file"
                           : "a song file and an output file are needed";
    }
    o.song = positional[0];
    if (wanted == 2)
        o.output = positional[1];
    return {};
}

bool loadSettings(const Options& o, Song& song, RecorderSettings& settings, ConsoleUi& ui) {
    if (o.config)
        return loadConfig(*o.config, song, settings, ui);
    if (fileExists(kConfigFileName))
        loadConfig(kConfigFileName, song, settings, ui);
    return true;
}

int printInfo(const Song& song, const RecorderSettings& settings, RenderCommandIo& io,
              ConsoleUi& ui) {
    io.out << "Song: " << song.songPath << '\n';
    io.out << "MIDI file: " << (song.midiFile.empty() ? "(none)" : song.midiFile) << '\n';
    io.out << "Compensation: " << song.compensation / 2 << " samples\n";
    io.out << "MIDI compensation: " << song.midiCompensationMs << " ms\n";
    io.out << "Boost: " << song.boost << '\n';
    io.out << "Recording frequency: " << settings.recordFormat.samplesPerSec << " Hz\n";
    io.out << "Tracks: " << song.trackCount << '\n';
    for (int i = 0; i < song.trackCount; ++i) {
        const Track& t = song.track(i);
        io.out << "  " << i + 1 << ". " << t.fileName << "  volume " << t.volume << "  pan "
               << t.pan - 100 << "  muted " << (t.muted != 0 ? "yes" : "no") << "  channels "
               << t.stereo + 1 << '\n';
    }
    NoMidiLength noMidi;
    const SongLength length = computeSongLength(song, noMidi);
    if (!length.status) {
        ui.showMessage(length.status.message(), "Error");
        return 1;
    }
    io.out << "Song length: " << length.seconds << " s"
           << (song.midiFile.empty() ? "" : " (audio tracks only)") << '\n';
    return 0;
}

// The render's frequency: the last track's, as the program's render takes it; 0
// when that track cannot be read (its check then says why).
std::uint32_t lastTrackFrequency(const Song& song) {
    WaveFileReader last;
    if (last.open(song.track(song.trackCount - 1).fileName) != WaveOpenError::None)
        return 0;
    return last.format().samplesPerSec;
}

int render(const Options& o, Song& song, RenderCommandIo& io, ConsoleUi& ui) {
    if (song.trackCount == 0) {
        ui.showMessage("The song has no tracks to render.", "Error");
        return 1;
    }
    // The tracks must pass the checks they passed when they joined the song,
    // at the frequency the render takes.
    const std::uint32_t frequency = lastTrackFrequency(song);
    for (int i = 0; i < song.trackCount; ++i) {
        const Status s = checkConvertibleTrack(song.track(i).fileName, frequency);
        if (!s) {
            ui.showMessage(song.track(i).fileName + ": " + s.message(), "Error");
            return 1;
        }
    }
    // As the render dialog does.
    const std::string output = withExtension(o.output, ".wav");
    const Status outputOk = SongRenderer::checkOutputPath(song, output);
    if (!outputOk) {
        ui.showMessage(outputOk.message(), "Error:");
        return 1;
    }
    NoMidiLength noMidi;
    const SongLength length = computeSongLength(song, noMidi);
    if (!length.status) {
        ui.showMessage(length.status.message(), "Error");
        return 1;
    }
    song.startSeconds = o.startSeconds;

    ConsoleRenderEvents events(io);
    SongRenderer renderer(events);
    renderer.start(song, output, length.seconds);
    bool stopSent = false;
    // Looks at the interrupt at once and then every 20 ms.
    do {
        if (!stopSent && io.interrupt != nullptr && io.interrupt->load()) {
            renderer.stop();
            stopSent = true;
        }
    } while (!events.waitDone(std::chrono::milliseconds(20)));
    renderer.join();
    if (renderer.userStopped()) {
        ui.showMessage("Operation aborted.", "User stop");
        return 1;
    }
    return events.outcome() == RenderOutcome::Completed ? 0 : 1;
}

// At the track's own frequency: the copy is what Track > Insert would add to a song of it.
int convertTrack(const Options& o, RenderCommandIo& io, ConsoleUi& ui) {
    WaveFileReader probe;
    const std::uint32_t frequency =
        probe.open(o.song) == WaveOpenError::None ? probe.format().samplesPerSec : 0;
    probe.close();
    const TrackConversion c = convertTrackTo16Bit(o.song, frequency, {}, o.dither);
    if (!c.status) {
        ui.showMessage(o.song + ": " + c.status.message(), "Error");
        return 1;
    }
    io.out << c.convertedPath << '\n';
    if (c.clipped > 0)
        io.err << "brevant-render: " << c.clipped << " samples beyond full scale were clipped\n";
    return 0;
}

}  // namespace

int runRenderCommand(const std::vector<std::string>& args, RenderCommandIo& io) {
    Options o;
    const std::string problem = parse(args, o);
    if (!problem.empty()) {
        io.err << "brevant-render: " << problem << "\n\n" << kUsage;
        return 2;
    }
    if (o.help) {
        io.out << kUsage;
        return 0;
    }
    ConsoleUi ui(io);
    if (o.convert)
        return convertTrack(o, io, ui);
    // Tracks of other sample formats are converted as the render reads them.
    WaveFileReader::convertAllTo16Bit();
    TrackListModel list;
    SongProject project(ui, list);
    RecorderSettings settings;
    if (!loadSettings(o, project.song(), settings, ui))
        return 1;
    if (!project.loadSong(o.song))
        return 1;
    if (o.info)
        return printInfo(project.song(), settings, io, ui);
    return render(o, project.song(), io, ui);
}

}  // namespace brevant
