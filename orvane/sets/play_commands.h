// Play and the four step commands (Next, Previous, Shuffle, Random).
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "options.h"
#include "play_host.h"
#include "song_list_access.h"

namespace orvane {

// The step number is the tag of the button or menu item.
enum class TStep { Next = 0, Previous = 1, Shuffle = 2, Random = 3 };

struct TPlaySource {
    bool songListActive = true;
    // The file browser's selected file (full name) when it is the active control.
    std::optional<std::string> fileListFile;
};

// Plays the focused file, or the selected entries as a list when two or more are selected.
void Play(SongListAccess& list, PlayHost& host, const TOptions& options,
          const std::filesystem::path& playListFile, const TPlaySource& source);

// The position StepSong moves to from the list's CurrentIndex (-1 for none).
int ChooseStep(const SongListAccess& list, PlayHost& host, TStep step);

// Moves the now-playing mark one step and plays that entry; nothing on an empty list.
void StepSong(SongListAccess& list, PlayHost& host, const TOptions& options, TStep step);

}  // namespace orvane
