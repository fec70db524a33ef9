// "tvk.prf": the start-up reader of the first seven fields. Fields read from any
// bytes are written into a whole file that must read back the same.
#include <cstdint>

#include "fuzz_temp_file.h"
#include "settings_record.h"

using namespace talvik;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const SettingsRecord read = SettingsRecord::ParseStartup(data, size);
    for (int f = 0; f < SettingsRecord::kFieldCount; ++f) {
        const auto& text = read.get(static_cast<SettingsRecord::Field>(f));
        if (f >= SettingsRecord::kAppliedFields) FUZZ_CHECK(!text);
        if (text) FUZZ_CHECK(text->size() <= SettingsRecord::kFieldChars);
    }
    const auto image = read.render();
    FUZZ_CHECK(image.size() == SettingsRecord::kFileBytes);
    const SettingsRecord again = SettingsRecord::ParseStartup(image.data(), image.size());
    for (int f = 0; f < SettingsRecord::kAppliedFields; ++f) {
        const auto field = static_cast<SettingsRecord::Field>(f);
        FUZZ_CHECK(again.get(field).value_or("") == read.get(field).value_or(""));
    }
    // The loader from disk reads what the image reader reads.
    const auto path = fuzzing::writeScratch("tvk.prf", data, size);
    const SettingsRecord loaded = LoadStartupSettings(path);
    for (int f = 0; f < SettingsRecord::kFieldCount; ++f) {
        const auto field = static_cast<SettingsRecord::Field>(f);
        FUZZ_CHECK(loaded.get(field) == read.get(field));
    }
    return 0;
}
