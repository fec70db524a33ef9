// The splitter's settings file "tvk.prf": twelve text fields of a length byte and
// 40 characters each, then zeros up to 34440 bytes. Start-up reads only the first
// 332 bytes and applies the first seven fields.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "char_walk.h"

namespace talvik {

class SettingsRecord {
  public:
    enum Field {
        kSourceList,  // directory of the source directory list
        kDestList,    // directory of the destination directory list
        kSourceDir,   // Sourcedir text
        kSaveDir,     // Savedir text
        kCreateDir,
        kSaveSuffix,
        kSavePrefix,
        kStartTrack,  // the five numbers are written but never applied
        kEndTrack,
        kNoise,
        kSilence,
        kMinSize,
        kFieldCount
    };
    static constexpr std::size_t kFieldChars = 40;
    static constexpr std::size_t kFieldBytes = kFieldChars + 1;
    static constexpr std::size_t kFileBytes = 34440;
    static constexpr std::size_t kStartupBytes = 332;
    static constexpr int kAppliedFields = 7;

    // Texts longer than 40 bytes are kept to their first 40, as the layout holds, less
    // the first byte of a double-byte character the cut would split.
    void set(Field f, const std::string& text, NextCharFn next = NextSingleByteChar);
    const std::optional<std::string>& get(Field f) const { return fields_[f]; }

    // The whole 34440-byte image; missing fields are written empty.
    std::vector<std::uint8_t> render() const;
    // Reads the first seven fields from the start of a file image. A short image is
    // read as far as it goes: a field cut off keeps the characters present, a field
    // not reached stays unset (the window keeps its default). A length byte above 40
    // is taken as 40.
    static SettingsRecord ParseStartup(const std::uint8_t* data, std::size_t size);

  private:
    std::array<std::optional<std::string>, kFieldCount> fields_;
};

// Path of the settings file in the start-up directory.
std::string SettingsFilePath(const std::string& startupDir);

// Reads the start-up part of the file; a missing file gives an empty record (defaults).
SettingsRecord LoadStartupSettings(const std::string& path);
// Writes the whole file beside the old one and renames it over; throws FileError.
void SaveSettings(const std::string& path, const SettingsRecord& record);

}  // namespace talvik
