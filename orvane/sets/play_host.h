// What playing needs outside the song list: the player, messages, the main window,
// the file system and a random source.
#pragma once

#include <string>
#include <string_view>

#include "message_icon.h"

namespace orvane {

class PlayHost {
public:
    virtual ~PlayHost() = default;
    // Hands a song or the playlist file to the player (it reports a missing file itself).
    virtual void OpenWithPlayer(const std::string& file) = 0;
    // A message box captioned with the application title.
    virtual void ShowMessage(std::string_view text, TMessageIcon icon) = 0;
    virtual void HideMainWindow() = 0;
    virtual bool FileExists(const std::string& path) const = 0;
    // Refreshes the file browser's list (its selected file has gone).
    virtual void RefreshFileList() = 0;
    // A random position from 0 to count - 1.
    virtual int PickRandom(int count) = 0;
};

}  // namespace orvane
