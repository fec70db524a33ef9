#include "config_record.h"

#include "little_endian.h"

namespace brevant {

Status writeConfigRecord(const ConfigRecord& r, std::vector<std::uint8_t>& bytes) {
    if (!fitsPathField(r.editorPath)) return Status::fail(pathTooLongMessage(r.editorPath));
    LittleEndianWriter out;
    out.i32(r.compensation);
    out.i32(r.midiCompensationMs);
    out.i32(r.transportPos.x);
    out.i32(r.transportPos.y);
    out.i32(r.mixerPos.x);
    out.i32(r.mixerPos.y);
    out.i16(r.channels);
    out.zeros(2);
    out.i32(r.frequency);
    out.i32(r.monoPlayback);
    out.text(r.editorPath, 256);
    bytes = out.take();
    return Status::ok();
}

bool readConfigRecord(const std::vector<std::uint8_t>& bytes, ConfigRecord& record) {
    if (bytes.size() < kConfigRecordBytes) return false;
    LittleEndianReader in(bytes);
    ConfigRecord r;
    r.compensation = in.i32();
    r.midiCompensationMs = in.i32();
    r.transportPos.x = in.i32();
    r.transportPos.y = in.i32();
    r.mixerPos.x = in.i32();
    r.mixerPos.y = in.i32();
    r.channels = in.i16();
    in.skip(2);
    r.frequency = in.i32();
    r.monoPlayback = in.i32();
    // A path without its NUL stops at the field's end; one character short of
    // the field keeps it within what the writer accepts back.
    r.editorPath = in.text(256);
    if (r.editorPath.size() > kMaxPathLength) r.editorPath.clear();
    if (!in.ok()) return false;
    record = std::move(r);
    return true;
}

ConfigRecord collectConfig(const Song& song, const RecorderSettings& settings) {
    ConfigRecord r;
    r.compensation = song.compensation;
    r.midiCompensationMs = song.midiCompensationMs;
    r.transportPos = settings.transportPos;
    r.mixerPos = settings.mixerPos;
    r.channels = static_cast<std::int16_t>(settings.recordFormat.channels);
    r.frequency = static_cast<std::int32_t>(settings.recordFormat.samplesPerSec);
    r.monoPlayback = settings.monoPlaybackOption ? 1 : 0;
    r.editorPath = settings.editorPath;
    return r;
}

void applyConfig(const ConfigRecord& r, Song& song, RecorderSettings& settings) {
    song.compensation = r.compensation;
    song.midiCompensationMs = r.midiCompensationMs;
    settings.transportPos = r.transportPos;
    settings.mixerPos = r.mixerPos;
    const std::uint16_t channels =
        r.channels == 1 || r.channels == 2 ? static_cast<std::uint16_t>(r.channels) : settings.recordFormat.channels;
    const std::uint32_t frequency = r.frequency > 0 && isOfferedFrequency(static_cast<std::uint32_t>(r.frequency))
                                        ? static_cast<std::uint32_t>(r.frequency)
                                        : settings.recordFormat.samplesPerSec;
    setRecordFormat(settings, channels, frequency, 16);
    settings.monoPlaybackOption = r.monoPlayback != 0;
    settings.editorPath = r.editorPath;
}

}  // namespace brevant
