#include "settings_record.h"

#include <cstdio>

#include "file_names.h"
#include "replacing_file.h"
#include "system_files.h"

namespace talvik {

void SettingsRecord::set(Field f, const std::string& text, NextCharFn next) {
    fields_[f] = CutBetweenChars(text, kFieldChars, next);
}

std::vector<std::uint8_t> SettingsRecord::render() const {
    std::vector<std::uint8_t> out(kFileBytes, 0);
    for (int f = 0; f < kFieldCount; ++f) {
        const std::string text = fields_[f].value_or("");
        std::uint8_t* field = out.data() + f * kFieldBytes;
        field[0] = static_cast<std::uint8_t>(text.size());
        for (std::size_t i = 0; i < text.size(); ++i) {
            field[1 + i] = static_cast<std::uint8_t>(text[i]);
        }
    }
    return out;
}

SettingsRecord SettingsRecord::ParseStartup(const std::uint8_t* data, std::size_t size) {
    SettingsRecord record;
    const std::size_t limit = size < kStartupBytes ? size : kStartupBytes;
    for (int f = 0; f < kAppliedFields; ++f) {
        const std::size_t at = f * kFieldBytes;
        if (at >= limit) {
            break;
        }
        std::size_t length = data[at] > kFieldChars ? kFieldChars : data[at];
        if (at + 1 + length > limit) {
            length = limit - at - 1;
        }
        record.fields_[f] = std::string(reinterpret_cast<const char*>(data + at + 1), length);
    }
    return record;
}

std::string SettingsFilePath(const std::string& startupDir) {
    if (!startupDir.empty() && (startupDir.back() == '/' || startupDir.back() == kDirSeparator)) {
        return startupDir + "tvk.prf";
    }
    return startupDir + kDirSeparator + "tvk.prf";
}

SettingsRecord LoadStartupSettings(const std::string& path) {
    std::FILE* f = OpenSystemFile(path, "rb");
    if (f == nullptr) {
        return {};
    }
    std::uint8_t head[SettingsRecord::kStartupBytes];
    const std::size_t got = std::fread(head, 1, sizeof head, f);
    std::fclose(f);
    return SettingsRecord::ParseStartup(head, got);
}

void SaveSettings(const std::string& path, const SettingsRecord& record) {
    const std::vector<std::uint8_t> image = record.render();
    ReplacingFile out(path);
    out.write(image.data(), image.size());
    out.commit();
}

}  // namespace talvik
