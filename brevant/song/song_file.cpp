#include "song_file.h"

#include "little_endian.h"

namespace brevant {

namespace {
constexpr std::size_t kTextField = 256;
}

Status writeSongFile(const Song& song, std::vector<std::uint8_t>& bytes) {
    // A name read from a damaged file may fill the whole field without a NUL;
    // writing it back unchanged is allowed, anything longer is not.
    if (song.midiFile.size() > kTextField) return Status::fail(pathTooLongMessage(song.midiFile));
    for (int i = 0; i < song.trackCount; ++i) {
        if (song.track(i).fileName.size() > kTextField) return Status::fail(pathTooLongMessage(song.track(i).fileName));
    }
    LittleEndianWriter out;
    out.text(song.midiFile, kTextField);
    out.i32(song.compensation);
    out.i32(song.midiCompensationMs);
    out.i32(song.boost);
    for (int i = 0; i < song.trackCount; ++i) {
        const Track& t = song.track(i);
        out.text(t.fileName, kTextField);
        out.i16(t.volume);
        out.i16(t.pan);
        out.i32(t.listIndex);
        out.i32(t.muted);
        out.i32(t.stereo);
    }
    bytes = out.take();
    return Status::ok();
}

Status readSongFile(const std::vector<std::uint8_t>& bytes, SongFileContents& contents) {
    if (bytes.size() < kSongHeaderBytes) return Status::fail("File open error [ReadFile()].");
    const std::size_t records = (bytes.size() - kSongHeaderBytes) / kTrackRecordBytes;
    const bool partialRecord = (bytes.size() - kSongHeaderBytes) % kTrackRecordBytes != 0;
    // Bytes past the tenth record are never read, damaged or not.
    if (partialRecord && records < kMaxTracks) {
        return Status::fail("The project file is damaged: its last track record is incomplete.");
    }
    LittleEndianReader in(bytes);
    SongFileContents c;
    c.midiFile = in.text(kTextField);
    c.compensation = in.i32();
    c.midiCompensationMs = in.i32();
    c.boost = in.i32();
    for (std::size_t r = 0; r < records && r < kMaxTracks; ++r) {
        Track t;
        t.fileName = in.text(kTextField);
        t.volume = in.i16();
        t.pan = in.i16();
        t.listIndex = in.i32();
        t.muted = in.i32();
        t.stereo = in.i32();
        c.tracks.push_back(t);
    }
    if (!in.ok()) return Status::fail("File open error [ReadFile()].");
    contents = std::move(c);
    return Status::ok();
}

}  // namespace brevant
