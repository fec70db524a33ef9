#include "track_conversion.h"

#include <vector>

#include "file_replace.h"
#include "system_path.h"
#include "wave_file_reader.h"
#include "wave_file_writer.h"

namespace brevant {

namespace {

// Opens the track converting, checks it as a song track and finds its data.
Status openTrack(WaveFileReader& reader, const std::string& path, std::uint32_t songFrequency) {
    if (const Status s = waveOpenStatus(reader.open(path)); !s)
        return s;
    const WaveFormat& format = reader.fileFormat();
    if (!convertibleLayout(format))
        return Status::fail("Sampling parameters differs from that currently in use.");
    if (format.samplesPerSec != songFrequency) {
        return Status::fail("The track's sampling frequency is " +
                            std::to_string(format.samplesPerSec) + " Hz; the song's is " +
                            std::to_string(songFrequency) + " Hz.");
    }
    return waveOpenStatus(reader.findData());
}

}  // namespace

std::string convertedTrackName(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    const std::size_t dot = path.find_last_of('.');
    const std::string stem = dot != std::string::npos && (slash == std::string::npos || dot > slash)
                                 ? path.substr(0, dot)
                                 : path;
    std::string name = stem + " (16-bit).wav";
    for (int n = 2; fileExists(name); ++n) name = stem + " (16-bit " + std::to_string(n) + ").wav";
    return name;
}

std::string clipReport(std::uint64_t clipped) {
    return std::to_string(clipped) + (clipped == 1 ? " sample was" : " samples were") +
           " beyond full scale and set to full scale in the converted track.";
}

Status checkConvertibleTrack(const std::string& path, std::uint32_t songFrequency) {
    WaveFileReader reader;
    reader.convertTo16Bit(true);
    return openTrack(reader, path, songFrequency);
}

TrackConversion convertTrackTo16Bit(const std::string& path, std::uint32_t songFrequency,
                                    const ConversionProgress& progress, bool dither) {
    TrackConversion result;
    WaveFileReader reader;
    reader.convertTo16Bit(dither);
    result.status = openTrack(reader, path, songFrequency);
    if (!result.status)
        return result;

    const std::string target = convertedTrackName(path);
    const std::string temp = target + ".tmp~";
    WaveFileWriter writer;
    const std::vector<std::uint8_t> fmt = reader.format().toBytes();
    bool ok = writer.create(temp) && writer.createRiff("WAVE") && writer.createChunk("fmt ") &&
              writer.write(fmt.data(), fmt.size()) && writer.ascend() && writer.createChunk("data");
    const std::uint64_t total = reader.dataSize();
    std::vector<std::uint8_t> block(1u << 18);
    bool readFailed = false;
    for (std::uint64_t done = 0; ok && done < total;) {
        const auto n =
            static_cast<std::size_t>(std::min<std::uint64_t>(block.size(), total - done));
        readFailed = reader.read(block.data(), n) != static_cast<std::int64_t>(n);
        ok = !readFailed && writer.write(block.data(), n);
        done += n;
        if (ok && progress && !progress(done, total))
            result.stopped = true;
        ok = ok && !result.stopped;
    }
    ok = ok && writer.ascend() && writer.ascend();
    const bool closed = writer.close();
    reader.close();
    if (!ok || !closed || !renameOver(temp, target)) {
        // A stopped or failed conversion leaves nothing behind, not even a part of the copy.
        removeFile(temp);
        result.status =
            Status::fail(result.stopped ? "Operation aborted."
                         : readFailed   ? "Error reading the track " + path + "."
                                        : "Error writing the converted file " + target + ".");
        return result;
    }
    result.convertedPath = target;
    result.clipped = reader.converter() != nullptr ? reader.converter()->clipped() : 0;
    return result;
}

}  // namespace brevant
