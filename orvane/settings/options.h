// The options of the Properties dialog, read and written as one record.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "settings_store.h"

namespace orvane {

enum class TPlaySequence { TopDown = 0, DownTop = 1, Random = 2 };
enum class TDoubleClickAction { AddRemove = 0, Play = 1, PlayListFromHere = 2 };

struct TOptions {
    TPlaySequence sequence = TPlaySequence::TopDown;
    std::vector<std::string> lyricsExtensions{"TXT", "DIZ", "LRC", "NFO", "DOC"};
    int pageIndex = 0;  // 0 "Preference", 1 "Startup", 2 "Switches"
    TDoubleClickAction doubleClick = TDoubleClickAction::Play;
    bool autoHide = false;
    bool autoSet = false;
    bool allowDuplicated = false;
    bool dontSplashScreen = false;
    bool dontShowHint = false;
    bool lockToolBar = true;
    bool saverStop = false;
    bool mainTainPanelRatio = true;
    bool showUsedIcon = true;
    bool autoLaunchWinPlay3 = false;
    bool autoCloseWinPlay3 = false;
    bool autoMinimize = false;
    bool autoSaveTag = false;

    bool operator==(const TOptions&) const = default;
};

// Values out of range read as the first page, Top -> Down and Play.
TOptions LoadOptions(const SettingsStore& store, std::string_view section);
void SaveOptions(SettingsStore& store, std::string_view section, const TOptions& options);

// Caption of the Properties dialog: "%s Properties - %s".
std::string PropertiesCaption(std::string_view currentSetName);

// What closing the Properties dialog writes: nothing when it was cancelled.
void CloseProperties(SettingsStore& store, const TOptions& options, bool cancelled);

}  // namespace orvane
