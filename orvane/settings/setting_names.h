// Every section, value name and default of the settings store, in one place.
#pragma once

#include <string_view>

namespace orvane {

inline constexpr std::string_view kApplicationTitle = "Orvane Manager 1.0 Beta2";

// Under HKEY_CURRENT_USER.
inline constexpr std::string_view kSettingsKeyPath = "Software\\Brindle\\Orvane Manager";

inline constexpr std::string_view kDefaultSection = "(Default)";
inline constexpr std::string_view kGeneralSection = "General";
inline constexpr std::string_view kPanelSection = "Panel";
inline constexpr std::string_view kSetsSection = "Sets";
inline constexpr std::string_view kToolBarSection = "ToolBar";

struct TextSetting {
    std::string_view section;
    std::string_view name;
    std::string_view defaultValue;
};
struct IntSetting {
    std::string_view section;
    std::string_view name;
    int defaultValue;
};
struct BoolSetting {
    std::string_view section;
    std::string_view name;
    bool defaultValue;
};
// A value whose default is computed where it is read.
struct NamedSetting {
    std::string_view section;
    std::string_view name;
};

namespace setting {

// The options edited in the Properties dialog.
inline constexpr IntSetting Sequence{kDefaultSection, "Sequence", 0};
inline constexpr TextSetting LyricsExtension{kDefaultSection, "LyricsExtension",
                                             "TXT;DIZ;LRC;NFO;DOC"};
inline constexpr IntSetting PageIndex{kDefaultSection, "PageIndex", 0};
inline constexpr IntSetting DoubleClick{kDefaultSection, "DoubleClick", 1};
inline constexpr BoolSetting AutoHide{kDefaultSection, "AutoHide", false};
inline constexpr BoolSetting AutoSet{kDefaultSection, "AutoSet", false};
inline constexpr BoolSetting AllowDuplicated{kDefaultSection, "AllowDuplicated", false};
inline constexpr BoolSetting DontSplashScreen{kDefaultSection, "DontSplashScreen", false};
inline constexpr BoolSetting DontShowHint{kDefaultSection, "DontShowHint", false};
inline constexpr BoolSetting LockToolBar{kDefaultSection, "LockToolBar", true};
inline constexpr BoolSetting SaverStop{kDefaultSection, "SaverStop", false};
inline constexpr BoolSetting MainTainPanelRatio{kDefaultSection, "MainTainPanelRatio", true};
inline constexpr BoolSetting ShowUsedIcon{kDefaultSection, "ShowUsedIcon", true};
inline constexpr BoolSetting AutoLaunchWinPlay3{kDefaultSection, "AutoLaunchWinPlay3", false};
inline constexpr BoolSetting AutoCloseWinPlay3{kDefaultSection, "AutoCloseWinPlay3", false};
inline constexpr BoolSetting AutoMinimize{kDefaultSection, "AutoMinimize", false};
inline constexpr BoolSetting AutoSaveTag{kDefaultSection, "AutoSaveTag", false};

// Written by the main window.
inline constexpr BoolSetting AppHide{kGeneralSection, "AppHide", false};
inline constexpr TextSetting RecentDirectory{kGeneralSection, "RecentDirectory", ""};
inline constexpr IntSetting SortStyle{kGeneralSection, "SortStyle", 0};
inline constexpr BoolSetting SortAlways{kGeneralSection, "SortAlways", true};
inline constexpr BoolSetting WinPlay3Visible{kGeneralSection, "WinPlay3Visible", true};
inline constexpr BoolSetting WinPlay3Topmost{kGeneralSection, "WinPlay3Topmost", false};
inline constexpr IntSetting TabSetIndex{kGeneralSection, "TabSetIndex", 0};
inline constexpr IntSetting FileColumnWidth{kGeneralSection, "FileColumnWidth", 100};
inline constexpr IntSetting TimeColumnWidth{kGeneralSection, "TimeColumnWidth", 110};
inline constexpr IntSetting PathColumnWidth{kGeneralSection, "PathColumnWidth", 200};

// Panel sizes; defaults come from the main window's client area.
inline constexpr NamedSetting DirListPanelWidth{kPanelSection, "DirListPanel_Width"};
inline constexpr NamedSetting ListPanelHeight{kPanelSection, "ListPanel_Height"};
inline constexpr NamedSetting LeftPanelWidth{kPanelSection, "LeftPanel_Width"};

// The set registry.
inline constexpr IntSetting SetNumber{kSetsSection, "SetNumber", 100};
inline constexpr std::string_view SetValuePrefix = "Set";  // "Set0", "Set1", ...
inline constexpr TextSetting CurrentSet{kSetsSection, "CurrentSet", "(Default)"};

}  // namespace setting
}  // namespace orvane
