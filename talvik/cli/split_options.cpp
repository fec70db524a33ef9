#include "split_options.h"

#include <charconv>
#include <optional>

namespace talvik {

namespace {

std::optional<SampleFormat> ParseFormat(const std::string& text) {
    if (text == "8raw")
        return SampleFormat::Raw8;
    if (text == "8wav")
        return SampleFormat::Wav8;
    if (text == "16")
        return SampleFormat::Bit16;
    return std::nullopt;
}

std::optional<std::int64_t> ParseNumber(const std::string& text, std::int64_t low,
                                        std::int64_t high) {
    std::int64_t value = 0;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end || value < low || value > high) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

ParsedOptions ParseSplitOptions(const std::vector<std::string>& args) {
    ParsedOptions result;
    SplitOptions& o = result.options;
    SplitterSettings& s = o.settings;
    s.sourceDir.clear();
    s.saveDir.clear();
    std::optional<std::string> suffix;
    bool saveGiven = false;
    bool endGiven = false;

    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto fail = [&](const std::string& why) {
            result.error = why;
            return result;
        };
        if (arg == "--help" || arg == "-h") {
            o.help = true;
            continue;
        }
        if (arg == "--no-auto-skip") {
            s.autoSkip = false;
            continue;
        }
        if (arg == "--maximize") {
            s.maximize = true;
            continue;
        }
        if (arg == "--delete-processed") {
            s.deleteProcessed = true;
            continue;
        }
        if (arg == "--analyze-only") {
            o.analyzeOnly = true;
            continue;
        }
        static const char* const kWithValue[] = {
            "--source", "--dest",  "--createdir", "--prefix",  "--suffix", "--load",
            "--save",   "--noise", "--silence",   "--minsize", "--start",  "--end"};
        bool known = false;
        for (const char* name : kWithValue) {
            known = known || arg == name;
        }
        if (!known) {
            return fail("unknown option " + arg);
        }
        if (i + 1 >= args.size()) {
            return fail(arg + " needs a value");
        }
        const std::string& value = args[++i];
        auto number = [&](std::int64_t low, std::int64_t high) {
            return ParseNumber(value, low, high);
        };
        auto range = [&](std::int64_t low, std::int64_t high) {
            return arg + " takes a whole number from " + std::to_string(low) + " to " +
                   std::to_string(high) + ", not \"" + value + "\"";
        };
        if (arg == "--source") {
            s.sourceDir = value;
        } else if (arg == "--dest") {
            s.saveDir = value;
        } else if (arg == "--createdir") {
            s.createDir = value;
        } else if (arg == "--prefix") {
            s.savePrefix = value;
        } else if (arg == "--suffix") {
            suffix = value;
        } else if (arg == "--load" || arg == "--save") {
            auto f = ParseFormat(value);
            if (!f) {
                return fail(arg + " takes 8raw, 8wav or 16, not \"" + value + "\"");
            }
            (arg == "--load" ? s.load : s.save) = *f;
            saveGiven = saveGiven || arg == "--save";
        } else if (arg == "--noise") {
            auto v = number(0, 100);
            if (!v)
                return fail(range(0, 100));
            s.noisePercent = static_cast<int>(*v);
        } else if (arg == "--silence" || arg == "--minsize") {
            auto v = number(0, 1000000);
            if (!v)
                return fail(range(0, 1000000));
            (arg == "--silence" ? s.silence : s.minSize) = *v;
        } else if (arg == "--start" || arg == "--end") {
            auto v = number(1, 99);
            if (!v)
                return fail(range(1, 99));
            (arg == "--start" ? s.startTrack : s.endTrack) = static_cast<int>(*v);
            endGiven = endGiven || arg == "--end";
        }
    }
    // On the command line the save format follows the load format unless chosen, and the
    // suffix follows the save format unless given: the window's first-start pairing of
    // ".WAV" with RAW coding is no default for batch work.
    if (!saveGiven) {
        s.save = s.load;
    }
    if (Is16Bit(s.save) && !Is16Bit(s.load)) {
        result.error = "--save 16 needs --load 16: an 8-bit track is never widened to 16 bits";
        return result;
    }
    if (!endGiven) {
        s.endTrack = s.startTrack;  // as the window raises Endtrack with Starttrack
    } else if (s.endTrack < s.startTrack) {
        result.error = "--end " + std::to_string(s.endTrack) + " is below --start " +
                       std::to_string(s.startTrack);
        return result;
    }
    s.saveSuffix = suffix ? *suffix : std::string(SaveSuffix(s.save));
    return result;
}

std::string SplitUsage() {
    return "Usage: talvik-split [options]\n"
           "Finds the sounds in numbered track files (trackNN.RAW or trackNN.WAV) by a\n"
           "silence trigger and writes each marked sound to a file of its own.\n"
           "\n"
           "Files:\n"
           "  --source DIR       directory of the track files, with its closing separator\n"
           "                     (default: the current directory)\n"
           "  --dest DIR         base directory for output, with its closing separator\n"
           "                     (default: the current directory)\n"
           "  --createdir TEXT   stem of each track's output directory (default TRACK)\n"
           "  --prefix TEXT      stem of the sound file names (default SAMPLE)\n"
           "  --suffix TEXT      extension of the sound files (default: RAW or WAV, as\n"
           "                     the save format)\n"
           "  --start N          first track, 1 to 99 (default 1)\n"
           "  --end N            last track, 1 to 99 (default: the first track)\n"
           "Formats:\n"
           "  --load 8raw|8wav|16   format of the track files (default 8raw)\n"
           "  --save 8raw|8wav|16   format of the sound files (default: the load format;\n"
           "                        16 needs --load 16)\n"
           "Processing:\n"
           "  --maximize         scale each saved sound to full scale\n"
           "  --no-auto-skip     keep sounds shorter than --minsize marked\n"
           "  --delete-processed delete each track file after its sounds are saved\n"
           "  --analyze-only     report the sounds, write nothing\n"
           "Triggers:\n"
           "  --noise N          quiet band, percent of full scale, 0 to 100 (default 5)\n"
           "  --silence N        quiet samples that end a sound, 0 to 1000000 (default 2000)\n"
           "  --minsize N        smallest sound kept, bytes of the saved file (default 1000)\n"
           "  --help             show this text\n"
           "\n"
           "For each track it prints the track label, the found label and one line per\n"
           "sound. Exit status 1 if any track failed, 2 for a bad command line.\n";
}

}  // namespace talvik
