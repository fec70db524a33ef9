// The main window's size, position and state in "Velmor.INI", section "WinSaver": what is
// read back and what is written. The Win32 half is WindowPlacementStore (widgets_win32.h).
#pragma once
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace orvane {

inline constexpr std::string_view kPlacementIniFileName = "Velmor.ini";
inline constexpr std::string_view kPlacementSection = "WinSaver";
inline constexpr std::string_view kMainFormClassName = "TMainForm";

class PlacementWriteError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// An INI file read and written through the profile functions.
class ProfileFile {
  public:
    virtual ~ProfileFile() = default;
    virtual std::optional<std::string> ReadText(std::string_view section,
                                                std::string_view key) const = 0;
    // False when the value could not be written.
    virtual bool WriteText(std::string_view section, std::string_view key,
                           std::string_view value) = 0;
    // The file's full name, for messages.
    virtual std::string FileName() const = 0;
};

// The values as they are stored: 1 minimised, 2 normal, 3 maximised.
enum class TWindowShowState { Minimized = 1, Normal = 2, Maximized = 3 };

struct TWindowPlacement {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    TWindowShowState state = TWindowShowState::Normal;

    bool operator==(const TWindowPlacement&) const = default;
};

// Windows directory + "\" + the file part of iniFileName with the extension ".INI".
std::string PlacementFileName(std::string_view windowsDirectory, std::string_view iniFileName);

// Width, Height, Top, Left and WindowState of the form, each defaulting to the current
// value; a stored state other than 1, 2 or 3 leaves the current state.
TWindowPlacement ReadPlacement(const ProfileFile& file, std::string_view section,
                               std::string_view formClass, const TWindowPlacement& current);

// Writes the five keys in that order. Throws PlacementWriteError ("Unable to write to %s").
void WritePlacement(ProfileFile& file, std::string_view section, std::string_view formClass,
                    const TWindowPlacement& placement);

}  // namespace orvane
