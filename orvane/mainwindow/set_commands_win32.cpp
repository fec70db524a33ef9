// The commands that act on the sets and the settings: loading and saving the current set, the
// Sets and Properties dialogs, the file associations.
#include "command_helpers_win32.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <utility>

#include "column_widths.h"
#include "command_table.h"
#include "current_set.h"
#include "file_association.h"
#include "list_labels.h"
#include "lyrics_extension_list.h"
#include "play_commands.h"
#include "play_list.h"
#include "resource.h"
#include "set_registry.h"
#include "setting_access.h"
#include "song_list_play_access.h"
#include "tool_bar_dock_win32.h"

namespace orvane {
namespace {

class WindowAssociationHost final : public AssociationHost {
  public:
    explicit WindowAssociationHost(TMainForm& form) : form_(form) {}
    void ShowMessage(std::string_view text, TMessageIcon icon) override {
        form_.dialogs.Message(form_.window, text, MB_OK | IconFlags(icon));
    }
    std::optional<std::string> FindPlayer() override {
        return form_.dialogs.FindPlayer(form_.window);
    }
    bool FileExists(const std::string& path) const override { return FileExistsA(path); }

  private:
    TMainForm& form_;
};

class WindowSetsHost final : public SetsDialogHost {
  public:
    explicit WindowSetsHost(TMainForm& form) : form_(form) {}
    void ShowMessage(std::string_view text, TMessageIcon icon) override {
        form_.dialogs.Message(form_.window, text, MB_OK | IconFlags(icon));
    }
    std::optional<TSetRecord> AskNewSet() override { return form_.dialogs.NewSet(form_.window); }

  private:
    TMainForm& form_;
};

TSetFolders SetFolders(const TMainForm& form) {
    return {SystemFolder(KeptFolder(form)), SystemFolder(form.params.programFolder)};
}

}  // namespace

std::string KeptFolder(const TMainForm& form) {
    return form.params.keptFolder.empty() ? form.params.programFolder : form.params.keptFolder;
}

// Returns what the user must be told about the set file (empty when nothing).
std::string LoadSet(TMainForm& form) {
    const bool showUsed = ReadSetting(form.store, setting::ShowUsedIcon);
    TLoadedSet loaded = LoadCurrentSet(form.store, SetFolders(form), form.currentSetName, showUsed);
    std::vector<TSongEntry> entries = std::move(loaded.image.entries);
    loaded.image.entries.clear();
    form.image = std::move(loaded.image);
    form.list.Assign(std::move(entries), loaded.currentIndex);
    form.list.UpdateListCommands();
    // The marked entry is selected where the sort put it.
    const int select =
        loaded.currentIndex >= 0 ? form.list.CurrentIndex() : (loaded.selectIndex >= 0 ? 0 : -1);
    if (select >= 0 && select < form.list.Count()) {
        form.list.SetSelected(select, true);
        form.list.SetFocusIndex(select);
    }
    const TColumnWidths widths = LoadColumnWidths(form.store);
    const int columns[3] = {widths.fileColumn, widths.timeColumn, widths.pathColumn};
    for (int i = 0; i < 3; ++i) SendMessageA(form.songList, LVM_SETCOLUMNWIDTH, i, columns[i]);
    SetText(form.window, MainWindowCaption(form.currentSetName));
    if (form.tray != nullptr)
        form.tray->SetToolTip(MainWindowCaption(form.currentSetName));
    PushSongList(form);
    if (select >= 0)
        SendMessageA(form.songList, LVM_ENSUREVISIBLE, static_cast<WPARAM>(select), FALSE);
    return std::move(loaded.notice);
}

// Said once, over the list that shows what could be read.
void ShowSetNotice(TMainForm& form, const std::string& notice) {
    if (!notice.empty())
        form.dialogs.Message(form.window, notice, MB_OK | MB_ICONWARNING);
}

void SaveSet(TMainForm& form) {
    TColumnWidths widths;
    widths.fileColumn = static_cast<int>(SendMessageA(form.songList, LVM_GETCOLUMNWIDTH, 0, 0));
    widths.timeColumn = static_cast<int>(SendMessageA(form.songList, LVM_GETCOLUMNWIDTH, 1, 0));
    widths.pathColumn = static_cast<int>(SendMessageA(form.songList, LVM_GETCOLUMNWIDTH, 2, 0));
    SaveCurrentSet(form.store, SetFolders(form), form.currentSetName, form.image,
                   form.list.Entries(), widths);
}

void ApplyOptions(TMainForm& form) {
    const TOptions options = LoadOptions(form.store, kDefaultSection);
    for (HWND bar : {form.toolBar, form.toolPanel}) {
        HWND tips = reinterpret_cast<HWND>(SendMessageA(bar, TB_GETTOOLTIPS, 0, 0));
        if (tips != nullptr)
            SendMessageA(tips, TTM_ACTIVATE, !options.dontShowHint, 0);
    }
    LockToolBar(form, options.lockToolBar);
    form.list.SetOptions({options.allowDuplicated, options.showUsedIcon});
    form.list.ApplyShowUsedIcon();
    form.lyricsExtensions = options.lyricsExtensions;
    PushSongList(form);
}

void OpenSets(TMainForm& form) {
    SaveSet(form);
    TSetsDialogModel model(form.store, form.currentSetName, SetFolders(form));
    WindowSetsHost host(form);
    form.dialogs.Sets(form.window, model, host);
    model.Close(form.store);
    form.currentSetName = model.CurrentSetName();
    ShowSetNotice(form, LoadSet(form));
}

void OpenProperties(TMainForm& form) {
    TOptions options = LoadOptions(form.store, kDefaultSection);
    const bool ok =
        form.dialogs.Properties(form.window, PropertiesCaption(form.currentSetName), options);
    CloseProperties(form.store, options, !ok);
    ApplyOptions(form);
}

void CheckAssociations(TMainForm& form) {
    if (form.params.classes != nullptr) {
        WindowAssociationHost host(form);
        CheckAssociation(*form.params.classes, host);
    }
}

bool SetCommand(TMainForm& form, int id) {
    switch (id) {
        case IDM_SETS:
            OpenSets(form);
            break;
        case IDM_PROPERTIES:
            OpenProperties(form);
            break;
        case IDM_ASSOCIATION:
            if (form.params.classes != nullptr) {
                WindowAssociationHost host(form);
                AskPlayerLocation(*form.params.classes, host);
            }
            break;
        default:
            return false;
    }
    return true;
}

}  // namespace orvane
