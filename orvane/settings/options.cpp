#include "options.h"

#include "lyrics_extension_list.h"
#include "setting_access.h"

namespace orvane {

namespace {

// The options live in the section the dialog is given, always "(Default)" today.
bool ReadBoolIn(const SettingsStore& store, std::string_view section, const BoolSetting& s) {
    return store.ReadBool(section, s.name, s.defaultValue);
}
int ReadIntIn(const SettingsStore& store, std::string_view section, const IntSetting& s) {
    return store.ReadInteger(section, s.name, s.defaultValue);
}

}  // namespace

TOptions LoadOptions(const SettingsStore& store, std::string_view section) {
    TOptions o;
    const int sequence = ReadIntIn(store, section, setting::Sequence);
    o.sequence = (sequence >= 0 && sequence <= 2) ? static_cast<TPlaySequence>(sequence)
                                                  : TPlaySequence::TopDown;
    o.lyricsExtensions = ParseLyricsExtensions(store.ReadString(
        section, setting::LyricsExtension.name, setting::LyricsExtension.defaultValue));
    const int page = ReadIntIn(store, section, setting::PageIndex);
    o.pageIndex = (page >= 0 && page <= 2) ? page : 0;
    const int doubleClick = ReadIntIn(store, section, setting::DoubleClick);
    // The main window treats every value but 0 and 2 as Play.
    o.doubleClick = (doubleClick == 0 || doubleClick == 2)
                        ? static_cast<TDoubleClickAction>(doubleClick)
                        : TDoubleClickAction::Play;
    o.autoHide = ReadBoolIn(store, section, setting::AutoHide);
    o.autoSet = ReadBoolIn(store, section, setting::AutoSet);
    o.allowDuplicated = ReadBoolIn(store, section, setting::AllowDuplicated);
    o.dontSplashScreen = ReadBoolIn(store, section, setting::DontSplashScreen);
    o.dontShowHint = ReadBoolIn(store, section, setting::DontShowHint);
    o.lockToolBar = ReadBoolIn(store, section, setting::LockToolBar);
    o.saverStop = ReadBoolIn(store, section, setting::SaverStop);
    o.mainTainPanelRatio = ReadBoolIn(store, section, setting::MainTainPanelRatio);
    o.showUsedIcon = ReadBoolIn(store, section, setting::ShowUsedIcon);
    o.autoLaunchWinPlay3 = ReadBoolIn(store, section, setting::AutoLaunchWinPlay3);
    o.autoCloseWinPlay3 = ReadBoolIn(store, section, setting::AutoCloseWinPlay3);
    o.autoMinimize = ReadBoolIn(store, section, setting::AutoMinimize);
    o.autoSaveTag = ReadBoolIn(store, section, setting::AutoSaveTag);
    return o;
}

void SaveOptions(SettingsStore& store, std::string_view section, const TOptions& o) {
    store.WriteInteger(section, setting::Sequence.name, static_cast<int>(o.sequence));
    store.WriteString(section, setting::LyricsExtension.name,
                      FormatLyricsExtensions(o.lyricsExtensions));
    store.WriteInteger(section, setting::PageIndex.name, o.pageIndex);
    store.WriteInteger(section, setting::DoubleClick.name, static_cast<int>(o.doubleClick));
    store.WriteBool(section, setting::AutoHide.name, o.autoHide);
    store.WriteBool(section, setting::AutoSet.name, o.autoSet);
    store.WriteBool(section, setting::AllowDuplicated.name, o.allowDuplicated);
    store.WriteBool(section, setting::DontSplashScreen.name, o.dontSplashScreen);
    store.WriteBool(section, setting::DontShowHint.name, o.dontShowHint);
    store.WriteBool(section, setting::LockToolBar.name, o.lockToolBar);
    store.WriteBool(section, setting::SaverStop.name, o.saverStop);
    store.WriteBool(section, setting::MainTainPanelRatio.name, o.mainTainPanelRatio);
    store.WriteBool(section, setting::ShowUsedIcon.name, o.showUsedIcon);
    store.WriteBool(section, setting::AutoLaunchWinPlay3.name, o.autoLaunchWinPlay3);
    store.WriteBool(section, setting::AutoCloseWinPlay3.name, o.autoCloseWinPlay3);
    store.WriteBool(section, setting::AutoMinimize.name, o.autoMinimize);
    store.WriteBool(section, setting::AutoSaveTag.name, o.autoSaveTag);
}

std::string PropertiesCaption(std::string_view currentSetName) {
    return std::string(kApplicationTitle) + " Properties - " + std::string(currentSetName);
}

void CloseProperties(SettingsStore& store, const TOptions& options, bool cancelled) {
    if (!cancelled) SaveOptions(store, kDefaultSection, options);
}

}  // namespace orvane
