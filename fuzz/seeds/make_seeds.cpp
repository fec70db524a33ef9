// Writes the seed corpora: small valid files of every kind the fuzz targets read,
// made with the programs' own writers (or by hand for the formats they only read).
// Usage: make_seeds DIR  -> DIR/<target>/<name>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "config_record.h"
#include "set_file_format.h"
#include "set_file_image.h"
#include "settings_record.h"
// Both the song library manager and the recorder have a song_file.h.
#include "../../brevant/song/song_file.h"
#include "tag_record.h"
#include "wave_file_writer.h"
#include "wave_format.h"

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

namespace {

fs::path g_root;

void put(const std::string& target, const std::string& name, const Bytes& bytes)
{
    const fs::path dir = g_root / target;
    fs::create_directories(dir);
    std::ofstream out(dir / name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        std::fprintf(stderr, "make_seeds: cannot write %s\n", (dir / name).string().c_str());
        std::exit(1);
    }
}

void append(Bytes& to, const Bytes& more) { to.insert(to.end(), more.begin(), more.end()); }
void appendText(Bytes& to, const std::string& text) { to.insert(to.end(), text.begin(), text.end()); }
void be32(Bytes& to, std::uint32_t v)
{
    for (int shift = 24; shift >= 0; shift -= 8) to.push_back(static_cast<std::uint8_t>(v >> shift));
}
void le32(Bytes& to, std::uint32_t v)
{
    for (int shift = 0; shift < 32; shift += 8) to.push_back(static_cast<std::uint8_t>(v >> shift));
}

// --- MP3 -------------------------------------------------------------------

// One frame: the header, then zero bytes (or a Xing/VBRI header) up to its length.
Bytes frame(std::uint8_t b1, std::uint8_t b2, std::uint8_t b3, std::size_t length)
{
    Bytes f{0xFF, b1, b2, b3};
    f.resize(length, 0);
    return f;
}

Bytes id3v2(std::size_t bodySize, bool footer)
{
    Bytes tag{'I', 'D', '3', 4, 0, static_cast<std::uint8_t>(footer ? 0x10 : 0)};
    for (int shift = 21; shift >= 0; shift -= 7) tag.push_back(static_cast<std::uint8_t>((bodySize >> shift) & 0x7F));
    tag.resize(10 + bodySize, 0);
    if (footer) {
        Bytes foot{'3', 'D', 'I', 4, 0, 0x10};
        for (int shift = 21; shift >= 0; shift -= 7) foot.push_back(static_cast<std::uint8_t>((bodySize >> shift) & 0x7F));
        append(tag, foot);
    }
    return tag;
}

Bytes id3v1()
{
    orvane::TTagRecord record;
    record.title = "Seed title";
    record.artist = "Seed artist";
    record.album = "Seed album";
    record.year = "1999";
    record.comment = "made by make_seeds";
    record.genre = 17;
    const auto tag = orvane::EncodeTag(record);
    return Bytes(tag.begin(), tag.end());
}

void songSeeds()
{
    // MPEG-1 layer III, 128 kbit/s, 44100 Hz, stereo: 417-byte frames.
    Bytes cbr;
    for (int i = 0; i < 12; ++i) append(cbr, frame(0xFB, 0x90, 0x00, 417));
    put("songinfo", "cbr", cbr);

    Bytes tagged = id3v2(300, false);
    append(tagged, cbr);
    append(tagged, id3v1());
    put("songinfo", "id3v2-cbr-id3v1", tagged);

    Bytes footer = id3v2(40, true);
    append(footer, cbr);
    put("songinfo", "id3v2-footer", footer);

    // Xing header after the side information (32 bytes for MPEG-1 stereo).
    Bytes xing = frame(0xFB, 0x90, 0x00, 417);
    Bytes x;
    appendText(x, "Xing");
    be32(x, 0x0F);
    be32(x, 5000);  // frames
    be32(x, 5000u * 417u);
    std::copy(x.begin(), x.end(), xing.begin() + 36);
    for (int i = 0; i < 4; ++i) append(xing, frame(0xFB, 0x90, 0x00, 417));
    append(xing, id3v1());
    put("songinfo", "xing", xing);

    // VBRI header 32 bytes after the frame header.
    Bytes vbri = frame(0xFB, 0x90, 0x00, 417);
    Bytes v;
    appendText(v, "VBRI");
    v.insert(v.end(), {0, 1, 0, 0, 0, 50});
    be32(v, 123456);
    be32(v, 2000);
    std::copy(v.begin(), v.end(), vbri.begin() + 36);
    append(vbri, frame(0xFB, 0x90, 0x00, 417));
    put("songinfo", "vbri", vbri);

    // MPEG-2 layer III, 64 kbit/s, 22050 Hz, mono, padded frames.
    Bytes mpeg2{'j', 'u', 'n', 'k'};
    for (int i = 0; i < 8; ++i) append(mpeg2, frame(0xF3, 0x82, 0xC0, 209));
    put("songinfo", "mpeg2-junk-before", mpeg2);

    // MPEG-2.5 layer III and a layer II frame.
    Bytes mixed;
    for (int i = 0; i < 4; ++i) append(mixed, frame(0xE3, 0x40, 0x00, 144));
    put("songinfo", "mpeg25", mixed);
    Bytes layer2;
    for (int i = 0; i < 4; ++i) append(layer2, frame(0xFD, 0xA4, 0x00, 626));
    put("songinfo", "layer2", layer2);
    put("songinfo", "tag-only", id3v1());
}

// --- set files ---------------------------------------------------------------

void setSeeds()
{
    orvane::TSetFileImage image = orvane::DefaultSongListImage(orvane::TColumnWidths{});
    put("set_file", "empty-list", orvane::WriteSetFile(image));
    for (int i = 0; i < 3; ++i) {
        orvane::TSongEntry entry;
        entry.caption = "song" + std::to_string(i) + ".mp3";
        entry.timeText = " 3 mins " + std::to_string(10 + i) + " secs";
        entry.folder = "C:\\MUSIC\\";
        entry.usedFlag = i == 1 ? "1" : "0";
        entry.secondsText = std::to_string(190 + i);
        entry.stateImage = i == 2 ? orvane::kNowPlayingImage : orvane::kNoStateImage;
        image.entries.push_back(entry);
    }
    put("set_file", "three-songs", orvane::WriteSetFile(image));
    image.itemsIndex = 0;
    put("set_file", "items-first", orvane::WriteSetFile(image));
}

// --- brevant -----------------------------------------------------------------

void songFileSeeds()
{
    brevant::Song song;
    Bytes bytes;
    brevant::writeSongFile(song, bytes);
    put("sng_file", "no-tracks", bytes);
    song.midiFile = "C:\\MIDI\\groove.mid";
    song.boost = 40;
    for (int i = 0; i < 3; ++i) {
        auto& t = song.track(i);
        t.fileName = "C:\\SONGS\\take" + std::to_string(i) + ".wav";
        t.volume = static_cast<std::int16_t>(50 + i);
        t.pan = static_cast<std::int16_t>(80 + 10 * i);
        t.listIndex = i;
        t.muted = i == 1;
        t.stereo = i == 2;
    }
    song.trackCount = 3;
    bytes.clear();
    brevant::writeSongFile(song, bytes);
    put("sng_file", "three-tracks", bytes);
    for (int i = 3; i < brevant::kMaxTracks; ++i) song.track(i).fileName = "t" + std::to_string(i) + ".wav";
    song.trackCount = brevant::kMaxTracks;
    bytes.clear();
    brevant::writeSongFile(song, bytes);
    put("sng_file", "ten-tracks", bytes);
}

void configSeeds()
{
    brevant::ConfigRecord record;
    Bytes bytes;
    brevant::writeConfigRecord(record, bytes);
    put("brevant_cfg", "defaults", bytes);
    record.channels = 2;
    record.frequency = 22050;
    record.monoPlayback = 0;
    record.editorPath = "C:\\TOOLS\\editor.exe";
    record.transportPos = {503, 80};
    bytes.clear();
    brevant::writeConfigRecord(record, bytes);
    put("brevant_cfg", "stereo-editor", bytes);
}

Bytes waveFile(const brevant::WaveFormat& format, const Bytes& data, bool listChunk)
{
    const fs::path tmp = g_root / "wave.tmp";
    brevant::WaveFileWriter writer;
    const auto fmt = format.toBytes();
    bool ok = writer.create(tmp.string()) && writer.createRiff("WAVE");
    if (listChunk) ok = ok && writer.createChunk("LIST") && writer.write("INFOx", 5) && writer.ascend();
    ok = ok && writer.createChunk("fmt ") && writer.write(fmt.data(), fmt.size()) && writer.ascend() &&
         writer.createChunk("data") && writer.write(data.data(), data.size()) && writer.ascend() &&
         writer.ascend() && writer.close();
    if (!ok) {
        std::fprintf(stderr, "make_seeds: cannot write a WAVE file\n");
        std::exit(1);
    }
    std::ifstream in(tmp, std::ios::binary);
    Bytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    fs::remove(tmp);
    return bytes;
}

void waveSeeds()
{
    Bytes samples;
    for (int i = 0; i < 200; ++i) samples.push_back(static_cast<std::uint8_t>(i * 37));
    put("wave_reader", "mono16", waveFile(brevant::WaveFormat::pcm(1, 44100, 16), samples, false));
    put("wave_reader", "stereo16-list", waveFile(brevant::WaveFormat::pcm(2, 22050, 16), samples, true));
    Bytes odd(samples.begin(), samples.begin() + 51);
    put("wave_reader", "mono8-odd", waveFile(brevant::WaveFormat::pcm(1, 11025, 8), odd, false));
    auto extensible = brevant::WaveFormat::pcm(2, 48000, 16);
    extensible.formatTag = 0xFFFE;
    extensible.extra = {22, 0, 16, 0, 3, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0x10, 0, 0x80, 0, 0, 0xAA, 0, 0x38, 0x9B, 0x71};
    put("wave_reader", "extensible", waveFile(extensible, samples, false));
}

// --- talvik ------------------------------------------------------------------

void settingsSeeds()
{
    talvik::SettingsRecord record;
    put("tvk_prf", "empty", record.render());
    record.set(talvik::SettingsRecord::kSourceList, "C:\\TRACKS");
    record.set(talvik::SettingsRecord::kDestList, "C:\\SOUNDS");
    record.set(talvik::SettingsRecord::kSourceDir, "C:\\TRACKS");
    record.set(talvik::SettingsRecord::kSaveDir, "C:\\SOUNDS\\KIT");
    record.set(talvik::SettingsRecord::kCreateDir, "C:\\SOUNDS\\NEW");
    record.set(talvik::SettingsRecord::kSaveSuffix, "WAV");
    record.set(talvik::SettingsRecord::kSavePrefix, "snd");
    record.set(talvik::SettingsRecord::kStartTrack, "1");
    record.set(talvik::SettingsRecord::kEndTrack, "9");
    const Bytes full = record.render();
    put("tvk_prf", "full", full);
    put("tvk_prf", "startup-part", Bytes(full.begin(), full.begin() + talvik::SettingsRecord::kStartupBytes));
}

void trackSeeds()
{
    // Header: load format, noise, silence (LE 32), min size (LE 32), save format, chunking.
    auto header = [](std::uint8_t load, std::uint8_t noise, std::uint32_t silence, std::uint32_t minSize,
                     std::uint8_t save) {
        Bytes h{load, noise};
        le32(h, silence);
        le32(h, minSize);
        h.push_back(save);
        h.push_back(7);
        return h;
    };
    Bytes raw8 = header(0, 5, 20, 10, 0);
    for (int burst = 0; burst < 4; ++burst) {
        raw8.insert(raw8.end(), 30, 127);
        for (int i = 0; i < 15 + burst * 5; ++i) raw8.push_back(static_cast<std::uint8_t>(i % 2 ? 20 : 230));
    }
    raw8.insert(raw8.end(), 30, 127);
    put("track_analysis", "raw8-bursts", raw8);

    Bytes wav8 = header(1, 10, 8, 0, 1);
    for (int burst = 0; burst < 3; ++burst) {
        wav8.insert(wav8.end(), 12, 0x7F);
        wav8.insert(wav8.end(), {0x00, 0xFF, 0x10, 0xF0});
    }
    put("track_analysis", "wav8-short-gaps", wav8);

    Bytes bit16 = header(2, 3, 16, 40, 2);
    for (int burst = 0; burst < 3; ++burst) {
        for (int i = 0; i < 20; ++i) bit16.insert(bit16.end(), {0x00, 0x00});
        for (int i = 0; i < 12; ++i) bit16.insert(bit16.end(), {0x00, static_cast<std::uint8_t>(i % 2 ? 0x70 : 0x90)});
    }
    bit16.push_back(0x55);  // a lone final byte
    put("track_analysis", "bit16-odd-end", bit16);
}

// --- nuvella -----------------------------------------------------------------

void newsletterSeeds()
{
    const std::string issue =
        "Start.Of the weekly issue\r\n"
        "Welcome to this week's letter.\r\n"
        "==== NEWS ====\r\n"
        "=-=- [Headline one] -=-=\r\n"
        "Body text with {braces}, a \\backslash and \x84umlauts.\r\n"
        " :: \"Quoted title\" by someone\r\n"
        "More body.\r\n"
        "=----------------------------------------=\r\n"
        "==== LETTERS ====\r\n"
        "=- (Reader mail) -=\r\n"
        "A line that is much longer than ninety-nine characters so that it has to be split into "
        "two pieces by the loader, which reads at most ninety-nine characters at a time.\n"
        "Last line without an end";
    put("newsletter", "sections-and-articles", Bytes(issue.begin(), issue.end()));
    const std::string bare = "start.of\nbody only\n\x1a" "after the end of text\n";
    put("newsletter", "ctrl-z", Bytes(bare.begin(), bare.end()));
    const std::string nomarker = "No marker here\n==\n=- <x> -=\n";
    put("newsletter", "no-marker", Bytes(nomarker.begin(), nomarker.end()));
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_seeds DIR\n");
        return 2;
    }
    g_root = argv[1];
    fs::create_directories(g_root);
    songSeeds();
    setSeeds();
    songFileSeeds();
    configSeeds();
    waveSeeds();
    settingsSeeds();
    trackSeeds();
    newsletterSeeds();
    return 0;
}
