#include "song_info_report.h"

#include "genre_list.h"
#include "header_texts.h"
#include "play_time.h"

namespace orvane {
namespace {

void Line(std::string& text, const char* key, const std::string& value) {
    text += key;
    text += ": ";
    text += value;
    text += '\n';
}

}  // namespace

std::string SongInfoReport(const std::string& fileName, const TSongFileInfo& info) {
    std::string text;
    Line(text, "file", fileName);
    Line(text, "seconds", std::to_string(info.seconds));
    Line(text, "time", FormatPlayTime(info.seconds));
    THeaderTexts header;
    if (info.header)
        header = HeaderTexts(*info.header);
    Line(text, "version", header.version);
    Line(text, "layer", header.layer.value_or(""));
    Line(text, "bitrate", header.bitRate);
    Line(text, "frequency", header.frequency);
    Line(text, "tag", info.tag ? "yes" : "no");
    if (info.tag) {
        Line(text, "title", info.tag->title);
        Line(text, "artist", info.tag->artist);
        Line(text, "album", info.tag->album);
        Line(text, "year", info.tag->year);
        Line(text, "comment", info.tag->comment);
        std::string genre = std::to_string(info.tag->genre);
        const std::string_view name = GenreName(info.tag->genre);
        if (!name.empty()) {
            genre += ' ';
            genre += name;
        }
        Line(text, "genre", genre);
    }
    // The ID3v2 values under keys that name their tag; a file without one, or whose tag holds
    // none of the six (padding only), prints as before.
    if (info.id3v2 && (info.id3v2->values != TTagRecord{} || !info.id3v2->genreText.empty())) {
        const TTagRecord& v = info.id3v2->values;
        Line(text, "id3v2", "2." + std::to_string(info.id3v2->version));
        Line(text, "id3v2 title", v.title);
        Line(text, "id3v2 artist", v.artist);
        Line(text, "id3v2 album", v.album);
        Line(text, "id3v2 year", v.year);
        Line(text, "id3v2 comment", v.comment);
        std::string genre = info.id3v2->genreText;
        if (v.genre != kNoGenre)
            genre = std::to_string(v.genre) + ' ' + std::string(GenreName(v.genre));
        Line(text, "id3v2 genre", genre);
    }
    text += '\n';
    return text;
}

int RunSongInfo(std::span<const std::string> fileNames, const TReportSinks& sinks) {
    int status = 0;
    std::size_t done = 0;
    for (const std::string& name : fileNames) {
        const TSongFileInfo info = ReadSongFileInfo(name);
        if (!info.readable) {
            status = 1;
            sinks.error("orvane-info: cannot read " + name + ": " + info.error + "\n");
        }
        sinks.out(SongInfoReport(name, info));
        if (sinks.progress)
            sinks.progress(++done, fileNames.size());
    }
    return status;
}

}  // namespace orvane
