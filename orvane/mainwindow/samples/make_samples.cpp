// orvane-samples: writes a small song library for trying the program out: a few short MP3
// files (silent MPEG-1 Layer III frames with ID3v1 tags), a lyrics file beside one of them
// and the default set listing them.
//
//   orvane-samples SONG_FOLDER PROGRAM_FOLDER
//
// Both folders are given as the program will see them (on Windows with a drive letter).
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "set_file_image.h"
#include "set_file_io.h"
#include "set_names.h"
#include "song_file.h"
#include "song_list.h"
#include "system_path.h"
#include "tag_record.h"

namespace {

struct Sample {
    const char* fileName;
    std::uint8_t bitRateIndex;  // MPEG-1 Layer III: 5 = 64, 9 = 128, 11 = 192 kbit/s
    int seconds;                // roughly: the set lists what the frames give
    bool tagged;
    orvane::TTagRecord tag;
};

int BitRate(std::uint8_t index) {
    constexpr int kRates[] = {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320};
    return kRates[index];
}

// Silent frames: a header and zero side information decode as silence.
std::vector<std::uint8_t> Frames(std::uint8_t bitRateIndex, int seconds) {
    const int frameLength = 144 * BitRate(bitRateIndex) * 1000 / 44100;
    const int frames = seconds * 44100 / 1152;
    std::vector<std::uint8_t> data;
    data.reserve(static_cast<std::size_t>(frameLength * frames));
    for (int i = 0; i < frames; ++i) {
        std::vector<std::uint8_t> frame(static_cast<std::size_t>(frameLength), 0);
        frame[0] = 0xFF;
        frame[1] = 0xFB;                                          // MPEG-1, Layer III, no CRC
        frame[2] = static_cast<std::uint8_t>(bitRateIndex << 4);  // 44.1 kHz, no padding
        frame[3] = 0x44;                                          // joint stereo
        data.insert(data.end(), frame.begin(), frame.end());
    }
    return data;
}

bool WriteFile(const std::string& name, const void* data, std::size_t size) {
    std::FILE* file = std::fopen(name.c_str(), "wb");
    if (file == nullptr)
        return false;
    const bool ok = std::fwrite(data, 1, size, file) == size;
    return std::fclose(file) == 0 && ok;
}

orvane::TTagRecord Tag(const char* title, const char* album, const char* year, std::uint8_t genre,
                       const char* comment) {
    orvane::TTagRecord tag;
    tag.title = title;
    tag.artist = "Orvane Sample Band";
    tag.album = album;
    tag.year = year;
    tag.comment = comment;
    tag.genre = genre;
    return tag;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: orvane-samples SONG_FOLDER PROGRAM_FOLDER\n");
        return 2;
    }
    const std::string songs = argv[1];
    const std::string program = argv[2];
    const std::vector<Sample> samples = {
        {"Morning Light.mp3", 9, 42, true,
         Tag("Morning Light", "First Steps", "1997", 13, "with lyrics")},
        {"Night Drive.mp3", 11, 75, true, Tag("Night Drive", "First Steps", "1996", 17, "")},
        // A typographic apostrophe (0x92 in code page 1252) in the name.
        {"Rain\x92s End.mp3", 5, 31, true,
         Tag("Rain\x92s End", "Weather", "1995", 26, "ANSI name")},
        {"Untagged Take.mp3", 9, 12, false, {}},
    };
    // Folders given with a drive letter are Windows folders.
    const std::string separator = songs.find('\\') != std::string::npos ? "\\" : "/";
    std::vector<orvane::TSongEntry> entries;
    for (const Sample& sample : samples) {
        std::vector<std::uint8_t> bytes = Frames(sample.bitRateIndex, sample.seconds);
        if (sample.tagged) {
            const orvane::TTagBytes tag = orvane::EncodeTag(sample.tag);
            bytes.insert(bytes.end(), tag.begin(), tag.end());
        }
        const std::string name = songs + separator + sample.fileName;
        if (!WriteFile(name, bytes.data(), bytes.size())) {
            std::fprintf(stderr, "orvane-samples: cannot write %s\n", name.c_str());
            return 1;
        }
        entries.push_back(
            orvane::MakeSongEntry(songs, sample.fileName, orvane::ReadMpegInfo(name, nullptr)));
    }
    const std::string lyrics =
        "Morning Light\r\n\r\nThe kettle sings, the window glows,\r\nA quiet street, the "
        "morning shows\r\nThe day is young and so are we,\r\nA song of light for you and me.\r\n";
    WriteFile(songs + separator + "Morning Light.TXT", lyrics.data(), lyrics.size());

    orvane::TSetFileImage image = orvane::DefaultSongListImage(orvane::TColumnWidths{});
    image.entries = entries;
    try {
        orvane::SaveSetFile(
            orvane::SetFileName(orvane::SystemPath(program), orvane::kDefaultSetName), image);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "orvane-samples: %s\n", error.what());
        return 1;
    }
    std::printf("%zu songs in %s, set (Default) in %s\n", entries.size(), songs.c_str(),
                program.c_str());
    return 0;
}
