// Decisions of the splitter's windows that hold without a window: spin-edit ranges and
// the values read from their texts, directory texts and the directory list's entries,
// and the grab window's track range and option word.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "char_walk.h"

namespace talvik {

struct SpinRange {
    int min;
    int max;
    int step;
};
inline constexpr SpinRange kTrackRange{1, 99, 1};
inline constexpr SpinRange kNoiseRange{0, 100, 1};
inline constexpr SpinRange kSilenceRange{0, 1000000, 500};
inline constexpr SpinRange kMinSizeRange{0, 1000000, 1000};

// The value a spin edit's text stands for, brought into its range: the analysis relies
// on the ranges, and a typed text is not held to them. A text that is no number gives
// the range's lowest value.
int SpinValue(const std::string& text, SpinRange range);

// Sourcedir or Savedir text for a directory chosen in a list: the directory with one
// closing separator (a drive root such as "C:\" already has it).
// `next` walks the name in the window's code page.
std::string DirectoryText(const std::string& directory, NextCharFn next = NextSingleByteChar);

// One line of a directory list: the directories from the root down to the chosen one,
// then the chosen one's subdirectories one level deeper.
struct DirectoryEntry {
    std::string path;   // full directory, without closing separator except at a root
    std::string label;  // name shown
    int indent = 0;
    bool chosen = false;
};
// `subdirectories` are names inside `directory`; they are shown sorted, without "." and "..".
std::vector<DirectoryEntry> DirectoryListEntries(const std::string& directory,
                                                 std::vector<std::string> subdirectories,
                                                 NextCharFn next = NextSingleByteChar);

// The grab window's own correction: Endtrack never below Starttrack.
int CorrectedEndTrack(int startTrack, int endTrack);

enum class GrabRate { Khz44, Khz22, Khz11 };
// Put together from the choices when "Read tracks" is pressed, at most 20 characters:
// "-22-m-8" for 22 kHz mono 8-bit. The reading program is started without it.
std::string GrabOptionWord(GrabRate rate, bool stereo, bool sixteenBits);

inline constexpr const char* kReaderProgram = "c:\\temp\\read.exe";
inline constexpr const char* kReaderNotStarted = "c:\\temp\\read.exe could not be started.";

}  // namespace talvik
