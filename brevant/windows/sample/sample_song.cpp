// Writes the recorder's sample song into a folder: four short tracks (bass,
// chords, a stereo pad and a click), a small MIDI file and "demo.sng" naming
// them by relative path, so the song opens from the folder it lies in.
//
//   brevant-sample-song [FOLDER]
// It also writes "brevant.cfg" with the recorder's defaults.
#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "config_file.h"
#include "song_file.h"
#include "wave_file_writer.h"
#include "wave_output.h"

namespace {

constexpr std::uint32_t kRate = 44100;
constexpr int kSeconds = 8;
constexpr double kPi = 3.14159265358979323846;

// One voice: a sum of partials with a decaying envelope restarted every `beat` seconds.
std::int16_t voice(double t, double frequency, double beat, double level) {
    const double since = std::fmod(t, beat);
    const double envelope = std::exp(-3.0 * since / beat);
    const double wave = std::sin(2 * kPi * frequency * t) + 0.3 * std::sin(4 * kPi * frequency * t);
    // Never exactly zero: the captured output's trailing silence is told apart from the song.
    const double sample = level * envelope * wave * 20000.0;
    return static_cast<std::int16_t>(sample >= 0 ? sample + 1 : sample - 1);
}

bool writeTrack(const std::string& path, int channels, double frequency, double beat,
                double level) {
    brevant::WaveFileWriter writer;
    if (!brevant::startWaveOutput(
            writer, path,
            brevant::WaveFormat::pcm(static_cast<std::uint16_t>(channels), kRate, 16)))
        return false;
    std::vector<std::int16_t> samples;
    for (std::uint32_t i = 0; i < kRate * kSeconds; ++i) {
        const double t = static_cast<double>(i) / kRate;
        samples.push_back(voice(t, frequency, beat, level));
        if (channels == 2)
            samples.push_back(voice(t, frequency * 1.5, beat, level));
    }
    return writer.write(samples.data(), samples.size() * sizeof samples[0]) &&
           static_cast<bool>(brevant::finishWaveOutput(writer));
}

// A format-0 MIDI file: one track of eight quarter notes at 120 beats per minute.
std::vector<std::uint8_t> midiFile() {
    std::vector<std::uint8_t> events;
    for (int note = 0; note < 8; ++note) {
        const std::uint8_t pitch = static_cast<std::uint8_t>(60 + (note % 4) * 2);
        events.insert(events.end(), {0x00, 0x90, pitch, 0x60, 0x83, 0x60, 0x80, pitch, 0x00});
    }
    events.insert(events.end(), {0x00, 0xFF, 0x2F, 0x00});
    std::vector<std::uint8_t> bytes = {'M', 'T', 'h', 'd',  0,    0,   0,   6,   0,
                                       0,   0,   1,   0x01, 0xE0, 'M', 'T', 'r', 'k'};
    const auto size = static_cast<std::uint32_t>(events.size());
    for (int shift = 24; shift >= 0; shift -= 8)
        bytes.push_back(static_cast<std::uint8_t>(size >> shift));
    bytes.insert(bytes.end(), events.begin(), events.end());
    return bytes;
}

bool writeBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

}  // namespace

// Messages of the saves go to the error stream.
struct ErrorStream : brevant::MessageSink {
    void showMessage(const std::string& text, const std::string&) override {
        std::fprintf(stderr, "%s\n", text.c_str());
    }
};

int main(int argc, char** argv) {
    ErrorStream errors;
    const std::string folder = argc > 1 ? std::string(argv[1]) + "/" : "";
    struct Part {
        const char* name;
        int channels;
        double frequency, beat, level;
        std::int16_t volume, pan;
    };
    const Part parts[] = {{"bass.wav", 1, 55.0, 0.5, 0.9, 90, 100},
                          {"chords.wav", 1, 220.0, 1.0, 0.5, 70, 60},
                          {"pad.wav", 2, 330.0, 2.0, 0.4, 60, 140},
                          {"click.wav", 1, 1760.0, 0.25, 0.3, 40, 100}};
    brevant::Song song;
    song.midiFile = "demo.mid";
    song.boost = 10;
    for (const Part& part : parts) {
        if (!writeTrack(folder + part.name, part.channels, part.frequency, part.beat, part.level)) {
            std::fprintf(stderr, "cannot write %s%s\n", folder.c_str(), part.name);
            return 1;
        }
        brevant::Track& track = song.track(song.trackCount);
        track.fileName = part.name;
        track.volume = part.volume;
        track.pan = part.pan;
        track.stereo = part.channels - 1;
        track.listIndex = song.trackCount++;
    }
    song.currentTrack = static_cast<std::int16_t>(song.trackCount - 1);
    std::vector<std::uint8_t> project;
    if (!brevant::writeSongFile(song, project) || !writeBytes(folder + "demo.sng", project) ||
        !writeBytes(folder + "demo.mid", midiFile())) {
        std::fprintf(stderr, "cannot write the song into %s\n",
                     folder.empty() ? "." : folder.c_str());
        return 1;
    }
    // The recorder's settings at their defaults, so the first start asks nothing.
    brevant::Song defaults;
    if (!brevant::saveConfig(folder + brevant::kConfigFileName, defaults,
                             brevant::RecorderSettings{}, errors)) {
        std::fprintf(stderr, "cannot write the song into %s\n",
                     folder.empty() ? "." : folder.c_str());
        return 1;
    }
    std::printf("wrote %sdemo.sng\n", folder.c_str());
    return 0;
}
