// "brevant.cfg": the record reader, and the loader that applies it. A record the
// reader accepts is written again and must read back equal; a rejected file
// leaves the current values alone.
#include <cstdint>
#include <string>
#include <vector>

#include "config_file.h"
#include "config_record.h"
#include "fuzz_temp_file.h"

using namespace brevant;

namespace {

class NullSink final : public MessageSink {
public:
    void showMessage(const std::string&, const std::string&) override { ++count; }
    int count = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::vector<std::uint8_t> bytes(data, data + size);
    ConfigRecord record;
    const bool accepted = readConfigRecord(bytes, record);
    if (accepted) {
        std::vector<std::uint8_t> written;
        FUZZ_CHECK(writeConfigRecord(record, written));
        ConfigRecord again;
        FUZZ_CHECK(readConfigRecord(written, again));
        FUZZ_CHECK(again == record);
    }

    const auto path = fuzzing::writeScratch(kConfigFileName, data, size);
    Song song;
    RecorderSettings settings;
    const ConfigRecord before = collectConfig(song, settings);
    NullSink sink;
    const bool loaded = loadConfig(path, song, settings, sink);
    if (!loaded) {
        FUZZ_CHECK(collectConfig(song, settings) == before);
        FUZZ_CHECK(sink.count > 0);
    }
    FUZZ_CHECK(settings.recordFormat.channels == 1 || settings.recordFormat.channels == 2);
    FUZZ_CHECK(isOfferedFrequency(settings.recordFormat.samplesPerSec));
    return 0;
}
