// TMainForm: Orvane Manager's main window. One state struct owns the list model, the tag
// panel, the player controller and the seams; the window procedure only dispatches.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "classes_registry.h"
#include "main_dialogs_win32.h"
#include "main_layout.h"
#include "options.h"
#include "player_controller.h"
#include "player_seams.h"
#include "random_source.h"
#include "set_file_image.h"
#include "settings_store.h"
#include "song_list.h"
#include "tag_panel.h"
#include "tool_bar_state.h"
#include "view_settings.h"
#include "widgets_win32.h"
#include "window_decisions.h"

namespace orvane {

inline constexpr const char* kMainFormClass = "TMainForm";

// What the program (or a test) hands the window at creation; everything must outlive it.
struct TMainFormParams {
    SettingsStore* store = nullptr;
    ClassesRegistry* classes = nullptr;
    MainDialogs* dialogs = nullptr;
    PlayerWindow* playerWindow = nullptr;
    PlayerShell* playerShell = nullptr;
    ScreenSaver* screenSaver = nullptr;
    std::string programFolder;  // ANSI, without a trailing backslash
    // Where the set files and OVM.M3U are written when the program folder cannot be (the
    // per-user folder); empty: the program folder. Said once, at the first show: keptNotice.
    std::string keptFolder;
    std::string keptNotice;
    bool startHidden = false;
    // The desktop's parts the program has and a test may leave out (nullptr / false).
    const WindowPlacementStore* placement = nullptr;
    bool trayIcon = false;
};

struct TMainForm;

// Captions and folders (sort keys 0 and 2) in the system's locale order (CompareStringA).
int CompareSystemText(std::string_view a, std::string_view b);
// The same order as keys made once per text (LCMapStringA, LCMAP_SORTKEY).
std::string SystemSortKey(std::string_view text);

// The form's dialogs, counted while they are up: a modal box runs its own message loop, and
// what arrives meanwhile (tray commands, WM_CLOSE, the tick) must not act on the state the
// box's caller still holds.
class ModalDialogs final : public MainDialogs {
  public:
    ModalDialogs(TMainForm& form, MainDialogs& inner) : form_(form), inner_(inner) {}
    int Message(HWND owner, std::string_view text, UINT type) override;
    std::optional<std::string> Input(HWND owner, std::string_view prompt,
                                     std::string_view answer) override;
    bool Properties(HWND owner, const std::string& caption, TOptions& options) override;
    void Sets(HWND owner, TSetsDialogModel& model, SetsDialogHost& host) override;
    std::optional<TSetRecord> NewSet(HWND owner) override;
    void PickFont(HWND owner, LOGFONTA font, void (*apply)(HWND, const LOGFONTA&),
                  HWND applyTo) override;
    std::optional<std::string> FindPlayer(HWND owner) override;

  private:
    TMainForm& form_;
    MainDialogs& inner_;
};

// A modal UI of the program is up while one of these lives. When the last one goes, what
// waited for it (a close, a refresh) is posted again.
class ModalScope {
  public:
    explicit ModalScope(TMainForm& form);
    ~ModalScope();
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;

  private:
    TMainForm& form_;
};

// The splitter being dragged, and what the mouse carries towards the song list.
enum class TSplitter { None, Split1, Split2, Split3 };
enum class TDragSource { None, SongList, FileList };

struct TMainForm {
    HWND window = nullptr;
    HWND toolBar = nullptr;
    HWND toolPanel = nullptr;
    HWND driveBox = nullptr;
    HWND folderList = nullptr;
    HWND filterBox = nullptr;
    HWND fileList = nullptr;
    HWND fileCount = nullptr;
    HWND infoLabels[4] = {};
    HWND version = nullptr;
    HWND layer = nullptr;
    HWND bitRate = nullptr;
    HWND sampleFreq = nullptr;
    HWND tabSet = nullptr;
    HWND tagLabels[6] = {};
    HWND title = nullptr;
    HWND artist = nullptr;
    HWND album = nullptr;
    HWND genre = nullptr;
    HWND year = nullptr;
    HWND comment = nullptr;
    HWND lyricsMemo = nullptr;
    HWND songList = nullptr;
    HWND totalSong = nullptr;
    HWND totalTime = nullptr;
    HWND statusBar = nullptr;
    HWND valueHints = nullptr;  // the information panel's tool tips
    HMENU listMenu = nullptr;
    HMENU trayMenu = nullptr;
    HIMAGELIST toolBarImages = nullptr;
    HIMAGELIST toolPanelImages = nullptr;
    HIMAGELIST stateImages = nullptr;
    HFONT lyricsFont = nullptr;
    HCURSOR dragCursor = nullptr;
    WNDPROC fileListProc = nullptr;  // the list box's own procedure, under the drag source
    HWND lastFocus = nullptr;        // the control with the focus when the window went inactive

    TMainFormParams params;
    SettingsStore& store;
    ModalDialogs modalDialogs;
    MainDialogs& dialogs;
    std::unique_ptr<PlayerController> player;
    std::unique_ptr<TrayIcon> tray;
    TSongList list{TSongListOptions{}, CompareSystemText, SystemSortKey};
    TSetFileImage image;
    TTagPanel tag;
    TViewState view;
    TPanelSizes panels;
    // Where LayOut last put each child: a layout that changes nothing moves nothing.
    std::map<HWND, TRect> placed;
    TClockRandomSource random;
    std::vector<std::string> lyricsExtensions;
    std::string currentSetName;
    std::string playListFile;
    std::string currentFolder;  // the file browser's folder, ending without a backslash
    // A damaged set file found while the window was being built, said once it shows.
    std::string setNotice;
    // The tool bar docks at the top, or at the bottom when the stored placement says so.
    TToolBarAlign toolBarAlign = TToolBarAlign::Top;
    // Floating: the bar lies in its own tool window (nullptr once that has gone with the
    // main window), and the docked placement it takes again is remembered.
    bool toolBarFloating = false;
    bool toolBarLocked = true;
    bool toolBarDragging = false;
    HWND toolBarFrame = nullptr;
    POINT floatingAt{};  // the tool window's top left corner, on the screen
    TToolBarState toolBarDocked;
    TActiveControl active = TActiveControl::SongList;
    // One mouse, one drag at a time: a splitter or entries towards the song list.
    TSplitter splitDragging = TSplitter::None;
    TDragSource dragSource = TDragSource::None;
    int buttonSize = 25;
    bool closeBoxHit = false;
    bool settingBoxes = false;  // boxes filled by the program: no "Modified"
    bool yearTouched = false;   // Year changed by the user since the boxes were filled
    std::string yearWarned;     // the rejected year the warning was shown for
    bool pushingList = false;   // list view changed by the program: no notices
    bool refreshPosted = false;
    bool hidden = false;
    bool restoringPlacement = false;
    int modalDepth = 0;         // boxes and dialogs up
    bool closeWaiting = false;  // WM_CLOSE came while one was up
    bool refreshWaiting = false;
    bool sessionEnded = false;  // saved at the end of the session: nothing more to write
    std::string lastTickError;  // the tick shows an error once, not every second

    explicit TMainForm(const TMainFormParams& p)
        : params(p), store(*p.store), modalDialogs(*this, *p.dialogs), dialogs(modalDialogs) {}
};

bool RegisterMainFormClass(HINSTANCE instance);
// Creates the window (hidden when params.startHidden); FormCreate runs inside.
HWND CreateMainForm(HINSTANCE instance, const TMainFormParams& params);
TMainForm* MainFormState(HWND window);
// The accelerator table of the main menu's shortcuts.
HACCEL LoadMainAccelerators(HINSTANCE instance);
// Brings the box or dialog that is up in front (the main window when none is).
void BringModalForward(TMainForm& form);
// Waits for and handles messages until the quit message (wait) or until none is left.
int RunMessageLoop(HWND mainWindow, HACCEL accelerators, bool wait);

}  // namespace orvane
