#include "wave_output.h"

#include <vector>

namespace brevant {

Status startWaveOutput(WaveFileWriter& writer, const std::string& path, const WaveFormat& format) {
    if (!writer.create(path)) return Status::fail("Unable to open the file \"" + path + "\"");
    auto fail = [&writer](const char* message) {
        writer.close();
        return Status::fail(message);
    };
    if (!writer.createRiff("WAVE")) return fail("Error writing to the file (RIFF).");
    if (!writer.createChunk("fmt ")) return fail("Error writing to the file (FMT).");
    const std::vector<std::uint8_t> bytes = format.toBytes();
    if (!writer.write(bytes.data(), bytes.size())) return fail("Error writing to the file (FMT 2).");
    if (!writer.ascend()) return fail("Error writing to the file (Ascend).");
    if (!writer.createChunk("data")) return fail("Error writing to the file (data).");
    if (!writer.flush()) return fail("Error writing to the file (flush).");
    return Status::ok();
}

Status finishWaveOutput(WaveFileWriter& writer) {
    Status result = Status::ok();
    if (writer.openChunks() == 2 && !writer.ascend()) result = Status::fail("Error exiting the data chunk.");
    if (result && writer.openChunks() == 1 && !writer.ascend()) result = Status::fail("Error exiting the Riff chunk.");
    writer.close();
    return result;
}

}  // namespace brevant
