#include "song_project.h"

#include <vector>

#include "binary_file.h"
#include "file_replace.h"
#include "song_file.h"
#include "track_conversion.h"
#include "wave_file_reader.h"

namespace brevant {

namespace {

constexpr const char* kCorruption =
    "Data corruption error: some project settings may have been lost. Restart the program.";

// A project is at most its header and ten track records; the reader ignores
// the rest, so a large file chosen by mistake is not read whole into memory.
bool readProjectBytes(const std::string& path, std::vector<std::uint8_t>& bytes) {
    BinaryFile file;
    if (!file.open(path, BinaryFile::Mode::Read))
        return false;
    bytes.assign(kSongHeaderBytes + kMaxTracks * kTrackRecordBytes, 0);
    std::size_t filled = 0;
    for (std::size_t n; filled < bytes.size() &&
                        (n = file.read(bytes.data() + filled, bytes.size() - filled)) > 0;)
        filled += n;
    bytes.resize(filled);
    return !file.readFailed();
}

}  // namespace

Status checkTrackFile(const std::string& path, std::uint32_t recordingFrequency,
                      std::int32_t& channels, bool& closeFailed, bool* needsConversion) {
    WaveFileReader reader;
    if (const Status opened = waveOpenStatus(reader.open(path)); !opened)
        return opened;
    const WaveFormat& format = reader.format();
    // A 16-bit file is judged as it always was, whatever the caller takes.
    if (needsConversion != nullptr && format.bitsPerSample != 16 && convertibleLayout(format)) {
        channels = format.channels;
        closeFailed = !reader.close();
        const Status convertible = checkConvertibleTrack(path, recordingFrequency);
        *needsConversion = static_cast<bool>(convertible);
        return convertible;
    }
    // Only mono and stereo are mixed; other channel counts are refused like any
    // other format the engine cannot play.
    if (format.bitsPerSample != 16 || format.samplesPerSec != recordingFrequency ||
        (format.channels != 1 && format.channels != 2)) {
        return Status::fail("Sampling parameters differs from that currently in use.");
    }
    channels = format.channels;
    closeFailed = !reader.close();
    return Status::ok();
}

void SongProject::showTitle() {
    ui_.setTitle("Brevant - " + song_.songPath);
}

bool SongProject::newSong() {
    if (!confirmDiscard())
        return false;
    song_.songPath = kNoName;
    song_.modified = false;
    showTitle();
    song_.trackCount = 0;
    song_.currentTrack = 0;
    song_.compensation = 190;
    list_.clear();
    return true;
}

bool SongProject::openSong() {
    if (!confirmDiscard())
        return false;
    const auto path = ui_.chooseFileToOpen("Open project:", FileKind::Project);
    if (!path)
        return false;
    return loadSong(*path);
}

bool SongProject::loadSong(const std::string& path) {
    if (!fitsPathField(path)) {
        error(pathTooLongMessage(path));
        return false;
    }
    std::vector<std::uint8_t> bytes;
    if (!readProjectBytes(path, bytes)) {
        error("Error opening the file");
        return false;
    }
    SongFileContents contents;
    const Status read = readSongFile(bytes, contents);
    if (!read) {
        error(read.message());
        return false;
    }
    song_.midiFile = contents.midiFile;
    song_.compensation = contents.compensation;
    song_.midiCompensationMs = contents.midiCompensationMs;
    song_.boost = contents.boost;
    song_.trackCount = static_cast<std::int16_t>(contents.tracks.size());
    for (std::size_t i = 0; i < contents.tracks.size(); ++i) song_.tracks[i] = contents.tracks[i];
    refillList();
    song_.modified = false;
    song_.songPath = path;
    showTitle();
    return true;
}

void SongProject::refillList() {
    list_.clear();
    for (int i = 0; i < song_.trackCount; ++i)
        song_.track(i).listIndex = list_.add(song_.track(i).fileName);
    // With no tracks the current track stays 0, which the mixer reads as "none"
    // (an index of -1 would point before the first track).
    if (song_.trackCount > 0) {
        song_.currentTrack = static_cast<std::int16_t>(song_.trackCount - 1);
        list_.select(song_.track(song_.currentTrack).listIndex);
    } else {
        song_.currentTrack = 0;
    }
}

bool SongProject::saveSong() {
    return saveSongTo(song_.songPath);
}

bool SongProject::saveSongAs() {
    const auto path = ui_.chooseFileToSave("Save project:", FileKind::Project);
    if (!path)
        return false;
    return saveSongTo(*path);
}

bool SongProject::saveSongTo(const std::string& chosen) {
    const std::string path = withExtension(chosen, ".sng");
    if (!fitsPathField(path)) {
        error(pathTooLongMessage(path));
        return false;
    }
    std::vector<std::uint8_t> bytes;
    const Status built = writeSongFile(song_, bytes);
    if (!built) {
        error(built.message());
        return false;
    }
    switch (replaceFileContents(path, bytes)) {
        case ReplaceResult::CannotCreate:
            error("Error opening the file");
            return false;
        case ReplaceResult::WriteFailed:
            error("Write to file error [WriteFile()].");
            return false;
        case ReplaceResult::Done:
            break;
    }
    song_.modified = false;
    song_.songPath = path;
    showTitle();
    return true;
}

bool SongProject::confirmDiscard() {
    if (!song_.modified)
        return true;
    switch (ui_.askYesNoCancel("File " + song_.songPath + " is modified. Save?", "Warning")) {
        case Answer::Cancel:
            return false;
        case Answer::No:
            return true;
        case Answer::Yes:
            break;
    }
    return saveSong();
}

bool SongProject::insertTrack(std::uint32_t recordingFrequency) {
    setModified();
    const auto path = ui_.chooseFileToOpen("Open track:", FileKind::Wave);
    if (!path)
        return false;
    return insertTrackFile(*path, recordingFrequency);
}

bool SongProject::hasRoomFor(const std::string& path) {
    if (song_.trackCount >= kMaxTracks) {
        error("The song already has 10 tracks.");
        return false;
    }
    if (!fitsPathField(path)) {
        error(pathTooLongMessage(path));
        return false;
    }
    return true;
}

bool SongProject::insertTrackFile(const std::string& path, std::uint32_t recordingFrequency) {
    if (!hasRoomFor(path))
        return false;
    std::int32_t channels = 0;
    bool closeFailed = false;
    bool convert = false;
    const Status checked =
        checkTrackFile(path, recordingFrequency, channels, closeFailed, &convert);
    if (!checked) {
        error(checked.message());
        return false;
    }
    if (!convert)
        return addTrack(path, recordingFrequency);
    // The copy's name is checked before the work, not after it.
    if (!hasRoomFor(convertedTrackName(path)))
        return false;
    const TrackConversion converted = ui_.convertTrack(path, recordingFrequency);
    if (converted.stopped) {
        ui_.showMessage(converted.status.message(), "User stop");
        return false;
    }
    if (!converted.status) {
        error(converted.status.message());
        return false;
    }
    if (converted.clipped > 0)
        ui_.showMessage(clipReport(converted.clipped), "Warning");
    return addTrack(converted.convertedPath, recordingFrequency);
}

bool SongProject::addTrack(const std::string& path, std::uint32_t recordingFrequency) {
    if (!hasRoomFor(path))
        return false;
    std::int32_t channels = 0;
    bool closeFailed = false;
    const Status checked = checkTrackFile(path, recordingFrequency, channels, closeFailed);
    if (!checked) {
        error(checked.message());
        return false;
    }
    if (closeFailed)
        ui_.showMessage("cannot close", "");

    const int index = song_.trackCount;
    Track& t = song_.track(index);
    t = Track{};
    t.fileName = path;
    t.stereo = channels - 1;
    t.listIndex = list_.add(path);
    song_.currentTrack = static_cast<std::int16_t>(index);
    song_.trackCount = static_cast<std::int16_t>(index + 1);
    song_.modified = true;
    list_.select(t.listIndex);
    return true;
}

bool SongProject::removeSelectedTrack() {
    setModified();
    const int selection = list_.selection();
    if (selection < 0)
        return false;
    int found = -1;
    for (int i = 0; i < song_.trackCount; ++i) {
        if (song_.track(i).listIndex == selection) {
            found = i;
            break;
        }
    }
    if (found < 0) {
        ui_.showMessage(kCorruption, "Warning:");
        return false;
    }
    for (int i = found; i + 1 < song_.trackCount; ++i) song_.track(i) = song_.track(i + 1);
    song_.trackCount = static_cast<std::int16_t>(song_.trackCount - 1);
    song_.track(song_.trackCount) = Track{};
    refillList();
    return true;
}

int SongProject::selectedTrack() {
    const int selection = list_.selection();
    for (int i = 0; i < song_.trackCount; ++i) {
        if (song_.track(i).listIndex == selection)
            return i;
    }
    ui_.showMessage(kCorruption, "Warning:");
    return -1;
}

bool SongProject::selectTrack() {
    const int i = selectedTrack();
    if (i < 0)
        return false;
    song_.currentTrack = static_cast<std::int16_t>(i);
    return true;
}

}  // namespace brevant
