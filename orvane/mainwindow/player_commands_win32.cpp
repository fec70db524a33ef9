// The commands that act on the player: playing, the steps, the player window, the tick.
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

namespace orvane {
namespace {

class WindowPlayHost final : public PlayHost {
  public:
    explicit WindowPlayHost(TMainForm& form) : form_(form) {}
    void OpenWithPlayer(const std::string& file) override;
    void ShowMessage(std::string_view text, TMessageIcon icon) override {
        form_.dialogs.Message(form_.window, text, MB_OK | IconFlags(icon));
    }
    void HideMainWindow() override { MainCommand(form_, IDM_HIDE); }
    bool FileExists(const std::string& path) const override { return FileExistsA(path); }
    void RefreshFileList() override { ChangeFolder(form_, form_.currentFolder); }
    int PickRandom(int count) override {
        return static_cast<int>(form_.random.Below(static_cast<std::uint32_t>(std::max(count, 1))));
    }

  private:
    TMainForm& form_;
};

void WindowPlayHost::OpenWithPlayer(const std::string& file) {
    form_.player->OpenWithPlayer(file);
}

}  // namespace

// Playing may select another entry: the panels follow it, after the usual question about an
// edit of the song they showed.
void FollowSelection(TMainForm& form) {
    const std::optional<std::string> file = ShownFile(form.active, form.list, FocusedFile(form));
    if (!file || *file == form.tag.TagFileName())
        return;
    SaveTagIfChanged(form, false);
    RefreshSongInfo(form);
}

void PlayCommand(TMainForm& form, int id) {
    PullSelection(form);
    WindowPlayHost host(form);
    TSongListPlayAccess access(
        form.list, form.random, [&form](const TListCommands& c) { ApplyListCommands(form, c); },
        [&form](int index) {
            SendMessageA(form.songList, LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), FALSE);
        });
    const TOptions options = LoadOptions(form.store, kDefaultSection);
    const std::filesystem::path playList = SystemFolder(form.playListFile);
    const bool songListActive = form.active != TActiveControl::FileList;
    switch (id) {
        case IDM_PLAY: {
            TPlaySource source;
            source.songListActive = songListActive;
            if (!songListActive)
                source.fileListFile = FocusedFile(form);
            Play(access, host, options, playList, source);
            break;
        }
        case IDM_PLAYLIST:
            WritePlayList(access, host, options, playList, false, false, songListActive);
            break;
        case IDM_PLAYLISTHERE:
            WritePlayList(access, host, options, playList, false, true, songListActive);
            break;
        default:
            break;
    }
    PushSongList(form);
    FollowSelection(form);
}

void StepCommand(TMainForm& form, TStep step) {
    PullSelection(form);
    WindowPlayHost host(form);
    TSongListPlayAccess access(form.list, form.random,
                               [&form](const TListCommands& c) { ApplyListCommands(form, c); });
    StepSong(access, host, LoadOptions(form.store, kDefaultSection), step);
    PushSongList(form);
    FollowSelection(form);
}

void RunningTimerTimer(TMainForm& form) {
    // A failure that lasts (a read-only playlist under the screen saver) is said once, not
    // once a second.
    if (form.tray != nullptr)
        form.tray->AddAgainIfMissing();
    try {
        form.player->Tick(ReadSetting(form.store, setting::SaverStop));
        form.lastTickError.clear();
    } catch (const std::exception& error) {
        if (form.lastTickError != error.what()) {
            form.lastTickError = error.what();
            form.dialogs.Message(form.window, error.what(), MB_OK | MB_ICONERROR);
        }
    }
    ApplyPlayerCommands(form);
}

bool PlayerCommand(TMainForm& form, int id) {
    switch (id) {
        case IDM_PLAY:
        case IDM_PLAYLIST:
        case IDM_PLAYLISTHERE:
            PlayCommand(form, id);
            break;
        case IDM_NEXT:
            StepCommand(form, TStep::Next);
            break;
        case IDM_PREV:
            StepCommand(form, TStep::Previous);
            break;
        case IDM_SHUFFLE:
            StepCommand(form, TStep::Shuffle);
            break;
        case IDM_RANDOM:
            StepCommand(form, TStep::Random);
            break;
        case IDM_STOP:
            form.player->Stop();
            break;
        case IDM_VISIBLE:
            // The button toggles itself; the model's state is put back on it afterwards.
            form.player->ToggleVisible();
            break;
        case IDM_TOPMOST:
            form.player->ToggleTopMost();
            break;
        case IDM_BRINGUP: {
            RECT r;
            GetWindowRect(form.window, &r);
            form.player->BringUp({r.left, r.top, r.right - r.left, r.bottom - r.top});
            break;
        }
        case IDM_SHUTDOWN:
            form.player->ShutDown();
            break;
        case IDM_VOLUME:
            form.player->Volume();
            break;
        default:
            return false;
    }
    return true;
}

}  // namespace orvane
