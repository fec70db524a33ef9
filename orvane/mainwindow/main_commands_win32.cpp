#include "main_commands_win32.h"

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

// The ANSI name as the system knows it: std::filesystem takes wide text on Windows.
std::filesystem::path SystemFolder(const std::string& folder) {
    const int length = MultiByteToWideChar(CP_ACP, 0, folder.c_str(), -1, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(std::max(length, 1)), L'\0');
    MultiByteToWideChar(CP_ACP, 0, folder.c_str(), -1, wide.data(), length);
    wide.resize(wcslen(wide.c_str()));
    return std::filesystem::path(wide);
}

bool FileExistsA(const std::string& name) {
    const DWORD attributes = GetFileAttributesA(name.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

UINT IconFlags(TMessageIcon icon) {
    switch (icon) {
        case TMessageIcon::Information:
            return MB_ICONINFORMATION;
        case TMessageIcon::Warning:
            return MB_ICONWARNING;
        case TMessageIcon::Error:
            return MB_ICONERROR;
        case TMessageIcon::Question:
            return MB_ICONQUESTION;
        case TMessageIcon::None:
            break;
    }
    return 0;
}

std::string WindowText(HWND control) {
    const int length = GetWindowTextLengthA(control);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    GetWindowTextA(control, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(length));
    return text;
}

void SetText(HWND control, std::string_view text) {
    SetWindowTextA(control, std::string(text).c_str());
}

// The memo control breaks lines only at CR LF.
std::string WithCrLf(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r'))
            out += '\r';
        out += text[i];
    }
    return out;
}

// ---- the seams the engine calls back through ----

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

void WindowPlayHost::OpenWithPlayer(const std::string& file) {
    form_.player->OpenWithPlayer(file);
}

// ---- binding the models to the controls ----

void EnableCommand(TMainForm& form, int id, bool enabled) {
    const UINT flags = MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED);
    for (HMENU menu : {GetMenu(form.window), form.listMenu, form.trayMenu}) {
        if (menu != nullptr)
            EnableMenuItem(menu, static_cast<UINT>(id), flags);
    }
    for (HWND bar : {form.toolBar, form.toolPanel}) {
        SendMessageA(bar, TB_ENABLEBUTTON, static_cast<WPARAM>(id), enabled);
    }
}

void CheckCommand(TMainForm& form, int id, bool checked) {
    const UINT flags = MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED);
    for (HMENU menu : {GetMenu(form.window), form.listMenu, form.trayMenu}) {
        if (menu != nullptr)
            CheckMenuItem(menu, static_cast<UINT>(id), flags);
    }
    SendMessageA(form.toolBar, TB_CHECKBUTTON, static_cast<WPARAM>(id), checked);
}

void ApplyPlayerCommands(TMainForm& form) {
    const TPlayerCommands& c = form.player->Commands();
    CheckCommand(form, IDM_VISIBLE, c.visibleDown);
    CheckCommand(form, IDM_TOPMOST, c.topMostDown);
    EnableCommand(form, IDM_SHUTDOWN, c.closeEnabled);
    EnableCommand(form, IDM_BRINGUP, c.bringupEnabled);
}

void ApplySortItems(TMainForm& form) {
    const TSortState& sort = form.list.SortState();
    const int items[4] = {IDM_SORTFILENAME, IDM_SORTTIME, IDM_SORTPATH, IDM_NOSORT};
    for (int i = 0; i < 4; ++i) CheckCommand(form, items[i], static_cast<int>(sort.key) == i);
    CheckCommand(form, IDM_REVERSE, sort.reverseOrder);
    CheckCommand(form, IDM_SORTALWAYS, sort.sortAlways);
}

void ApplyListCommands(TMainForm& form, const TListCommands& commands) {
    for (std::string_view name : TListCommands::AllNames()) {
        EnableCommand(form, CommandOfControl(name), commands.IsEnabled(name));
    }
    ApplySortItems(form);
}

void ApplyTagCommands(TMainForm& form) {
    EnableCommand(form, IDM_SAVETAG, form.tag.SaveEnabled());
    EnableCommand(form, IDM_PASTE, form.tag.PasteEnabled());
    SendMessageA(form.statusBar, SB_SETTEXTA, 0,
                 reinterpret_cast<LPARAM>(std::string(form.tag.StatusText()).c_str()));
}

void ShowTotals(TMainForm& form) {
    const TListTotals totals = form.list.Totals();
    SetText(form.totalSong, TotalSongLabel(totals, form.list.CurrentIndex()));
    SetText(form.totalTime, TotalTimeLabel(totals));
}

void PullSelection(TMainForm& form) {
    form.list.ClearSelection();
    int index = -1;
    while ((index = static_cast<int>(SendMessageA(
                form.songList, LVM_GETNEXTITEM, static_cast<WPARAM>(index), LVNI_SELECTED))) >= 0) {
        form.list.SetSelected(index, true);
    }
    const int focus = static_cast<int>(
        SendMessageA(form.songList, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
    form.list.SetFocusIndex(focus);
}

void ShowBoxes(TMainForm& form) {
    const TTagBoxes& boxes = form.tag.Boxes();
    form.settingBoxes = true;
    form.yearTouched = false;
    SetText(form.title, boxes.title);
    SetText(form.artist, boxes.artist);
    SetText(form.album, boxes.album);
    SetText(form.year, boxes.year);
    SetText(form.comment, boxes.comment);
    SendMessageA(form.genre, CB_SETCURSEL, static_cast<WPARAM>(boxes.genre), 0);
    form.settingBoxes = false;
}

TTagBoxes ReadBoxes(const TMainForm& form) {
    TTagBoxes boxes;
    boxes.title = WindowText(form.title);
    boxes.artist = WindowText(form.artist);
    boxes.album = WindowText(form.album);
    boxes.year = WindowText(form.year);
    boxes.comment = WindowText(form.comment);
    boxes.genre = static_cast<int>(SendMessageA(form.genre, CB_GETCURSEL, 0, 0));
    return boxes;
}

void EnableTagFields(TMainForm& form, bool enabled) {
    for (HWND box : {form.title, form.artist, form.album, form.genre, form.year, form.comment}) {
        EnableWindow(box, enabled);
    }
}

std::optional<std::string> FocusedFile(const TMainForm& form) {
    const LRESULT caret = SendMessageA(form.fileList, LB_GETCARETINDEX, 0, 0);
    if (caret < 0 || caret >= SendMessageA(form.fileList, LB_GETCOUNT, 0, 0))
        return std::nullopt;
    char name[MAX_PATH] = "";
    if (SendMessageA(form.fileList, LB_GETTEXTLEN, static_cast<WPARAM>(caret), 0) >= MAX_PATH) {
        return std::nullopt;
    }
    SendMessageA(form.fileList, LB_GETTEXT, static_cast<WPARAM>(caret),
                 reinterpret_cast<LPARAM>(name));
    return form.currentFolder + "\\" + name;
}

void RefreshSongInfo(TMainForm& form) {
    if (form.active == TActiveControl::None)
        return;
    ShowTotals(form);
    const std::optional<std::string> file = ShownFile(form.active, form.list, FocusedFile(form));
    if (!file)
        return;
    const TSongFileInfo info = ReadSongFileInfo(*file);
    form.tag.Show(*file, info, IsReadOnlyFile(*file));
    SetText(form.lyricsMemo, WithCrLf(LoadLyrics(*file, form.lyricsExtensions, ReadWholeFile)));
    const THeaderTexts& header = form.tag.Header();
    SetText(form.version, header.version);
    if (header.layer || !info.header)
        SetText(form.layer, header.layer.value_or(""));
    SetText(form.bitRate, header.bitRate);
    SetText(form.sampleFreq, header.frequency);
    ShowBoxes(form);
    EnableTagFields(form, !form.tag.ReadOnly());
    ApplyTagCommands(form);
}

// A tag write that fails is reported; the boxes keep the edit so it can be saved again.
void WriteShownTag(TMainForm& form) {
    const TWriteTagOutcome outcome =
        WriteTag(form.tag.TagFileName(), EncodeTag(form.tag.RecordToWrite()));
    if (outcome.result == TWriteTagResult::Written) {
        form.tag.Saved();
        return;
    }
    const std::string text = outcome.result == TWriteTagResult::Failed
                                 ? outcome.error
                                 : "Unable to write the tag to " + form.tag.TagFileName();
    form.dialogs.Message(form.window, text, MB_OK | MB_ICONERROR);
}

// The year the user typed is out of range: said, and the focus goes back to it.
void WarnYear(TMainForm& form) {
    form.dialogs.Message(form.window, kYearNotValidMessage, MB_OK | MB_ICONERROR);
    PostMessageA(form.window, kFocusYearMessage, 0, 0);
}

void SaveTagIfChanged(TMainForm& form, bool forced) {
    const bool autoSave = ReadSetting(form.store, setting::AutoSaveTag);
    const TSaveDecision decision = form.tag.SaveDecision(forced, autoSave);
    if (decision != TSaveDecision::Nothing &&
        YearBlocksSave(form.yearTouched, WindowText(form.year), CurrentYear())) {
        WarnYear(form);
        return;
    }
    switch (decision) {
        case TSaveDecision::Nothing:
            return;
        case TSaveDecision::Ask:
            if (form.dialogs.Message(form.window, kTagChangedQuestion,
                                     MB_YESNO | MB_ICONQUESTION) != IDYES) {
                return;
            }
            break;
        case TSaveDecision::Write:
            break;
    }
    WriteShownTag(form);
    ApplyTagCommands(form);
}

// Returns what the user must be told about the set file (empty when nothing).
std::string LoadSet(TMainForm& form) {
    const bool showUsed = ReadSetting(form.store, setting::ShowUsedIcon);
    TLoadedSet loaded = LoadCurrentSet(form.store, SystemFolder(form.params.programFolder),
                                       form.currentSetName, showUsed);
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
    SaveCurrentSet(form.store, SystemFolder(form.params.programFolder), form.currentSetName,
                   form.image, form.list.Entries(), widths);
}

void ApplyOptions(TMainForm& form) {
    const TOptions options = LoadOptions(form.store, kDefaultSection);
    for (HWND bar : {form.toolBar, form.toolPanel}) {
        HWND tips = reinterpret_cast<HWND>(SendMessageA(bar, TB_GETTOOLTIPS, 0, 0));
        if (tips != nullptr)
            SendMessageA(tips, TTM_ACTIVATE, !options.dontShowHint, 0);
    }
    form.list.SetOptions({options.allowDuplicated, options.showUsedIcon});
    form.list.ApplyShowUsedIcon();
    form.lyricsExtensions = options.lyricsExtensions;
    PushSongList(form);
}

void ApplyLyricsFont(HWND memo, const LOGFONTA& font) {
    HFONT created = CreateFontIndirectA(&font);
    auto* form = MainFormState(GetParent(memo));
    if (form != nullptr) {
        if (form->lyricsFont != nullptr)
            DeleteObject(form->lyricsFont);
        form->lyricsFont = created;
    }
    SendMessageA(memo, WM_SETFONT, reinterpret_cast<WPARAM>(created), TRUE);
}

void ChooseLyricsFont(TMainForm& form) {
    LOGFONTA font{};
    HFONT current = reinterpret_cast<HFONT>(SendMessageA(form.lyricsMemo, WM_GETFONT, 0, 0));
    GetObjectA(current != nullptr ? current : GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    form.dialogs.PickFont(form.window, font, ApplyLyricsFont, form.lyricsMemo);
}

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

void AddFiles(TMainForm& form, bool all) {
    const std::vector<std::string> names = FileListNames(form, all);
    std::vector<std::string> captions;
    captions.reserve(names.size());
    for (const std::string& name : names)
        captions.push_back(name.substr(form.currentFolder.size() + 1));
    form.list.Add(form.currentFolder, captions, SongFilePlayTime());
    PushSongList(form);
}

// An arrow carrying a sheet: the cursor over a place that takes the drop.
HCURSOR MakeDragCursor() {
    const int w = GetSystemMetrics(SM_CXCURSOR);
    const int h = GetSystemMetrics(SM_CYCURSOR);
    const auto inside = [](int x, int y) {
        return (y < 12 && x <= y) || (x >= 8 && x < 18 && y >= 13 && y < 22);
    };
    std::vector<BYTE> andMask(static_cast<size_t>(w * h / 8), 0xFF);
    std::vector<BYTE> xorMask(andMask.size(), 0);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (!inside(x, y))
                continue;
            const size_t byte = static_cast<size_t>((y * w + x) / 8);
            const BYTE bit = static_cast<BYTE>(0x80 >> (x % 8));
            andMask[byte] &= static_cast<BYTE>(~bit);
            const bool edge =
                !inside(x - 1, y) || !inside(x + 1, y) || !inside(x, y - 1) || !inside(x, y + 1);
            if (!edge)
                xorMask[byte] |= bit;  // white inside a black outline
        }
    }
    return CreateCursor(GetModuleHandleA(nullptr), 0, 0, w, h, andMask.data(), xorMask.data());
}

void BeginDrag(TMainForm& form, TDragSource source) {
    if (form.dragCursor == nullptr)
        form.dragCursor = MakeDragCursor();
    form.dragSource = source;
    SetCapture(form.window);
}

// The entry under a screen point of the song list: -1 over its empty part, -2 off the list.
int SongListItemAt(const TMainForm& form, POINT screen) {
    RECT r;
    if (!IsWindowVisible(form.songList) || !GetWindowRect(form.songList, &r) ||
        !PtInRect(&r, screen)) {
        return -2;
    }
    LVHITTESTINFO hit{};
    hit.pt = screen;
    ScreenToClient(form.songList, &hit.pt);
    return static_cast<int>(
        SendMessageA(form.songList, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
}

void ClearTagPanel(TMainForm& form) {
    form.tag.New();
    ShowBoxes(form);
}

// Songs left the list: a panel showing the song list names no file and holds no edit (a file
// of the file list stays shown).
void DropTagPanel(TMainForm& form) {
    if (form.active == TActiveControl::FileList)
        return;
    form.tag.Drop();
    ShowBoxes(form);
    ApplyTagCommands(form);
}

void OpenSets(TMainForm& form) {
    SaveSet(form);
    TSetsDialogModel model(form.store, form.currentSetName,
                           SystemFolder(form.params.programFolder));
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

void AskButtonSize(TMainForm& form) {
    const LRESULT size = SendMessageA(form.toolBar, TB_GETBUTTONSIZE, 0, 0);
    const std::optional<std::string> answer =
        form.dialogs.Input(form.window, kButtonSizePrompt, std::to_string(LOWORD(size)));
    if (!answer)
        return;
    if (const std::optional<int> chosen = ButtonSizeAnswer(*answer)) {
        form.buttonSize = *chosen;
        for (HWND bar : {form.toolBar, form.toolPanel}) {
            SendMessageA(bar, TB_SETBUTTONSIZE, 0, MAKELPARAM(*chosen, *chosen));
        }
        LayOut(form);
    }
}

void HideForm(TMainForm& form) {
    WriteSetting(form.store, setting::AppHide, true);
    form.hidden = true;
    ShowWindow(form.window, SW_HIDE);
}

void RestoreForm(TMainForm& form) {
    if (IsWindowVisible(form.window)) {
        // A maximised window stays maximised: Restore only brings it up.
        if (IsIconic(form.window))
            ShowWindow(form.window, SW_RESTORE);
    } else {
        form.hidden = false;
        ShowWindow(form.window, SW_SHOW);
    }
    SetForegroundWindow(form.window);
}

void About(TMainForm& form) {
    // From the program's own folder only: a library of that name elsewhere is not ours.
    HMODULE library =
        LoadLibraryA((form.params.programFolder + "\\" + std::string(kAboutDllName)).c_str());
    if (library == nullptr) {
        form.dialogs.Message(form.window, kAboutDllMissingText, MB_OK);
        return;
    }
    auto show = reinterpret_cast<void(WINAPI*)()>(
        reinterpret_cast<void*>(GetProcAddress(library, "ShowAboutBox")));
    if (show != nullptr) {
        ModalScope scope(form);
        show();
    }
    FreeLibrary(library);
}

bool PutOnClipboard(HWND owner, const std::string& text) {
    if (!OpenClipboard(owner))
        return false;
    bool taken = false;
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    void* bytes = memory != nullptr ? GlobalLock(memory) : nullptr;
    if (bytes != nullptr) {
        std::memcpy(bytes, text.c_str(), text.size() + 1);
        GlobalUnlock(memory);
        taken = SetClipboardData(CF_TEXT, memory) != nullptr;
    }
    if (!taken && memory != nullptr)
        GlobalFree(memory);
    CloseClipboard();
    return taken;
}

void CopyTag(TMainForm& form) {
    // Paste is enabled only by a text the clipboard took.
    if (!PutOnClipboard(form.window, form.tag.Copy()))
        form.tag.CopyNotTaken();
    ApplyTagCommands(form);
}

// The clipboard's text, never read past its memory block (it need not end in a zero).
std::string ClipboardText(HWND owner) {
    std::string text;
    if (!OpenClipboard(owner))
        return text;
    HANDLE data = GetClipboardData(CF_TEXT);
    const char* bytes = data != nullptr ? static_cast<const char*>(GlobalLock(data)) : nullptr;
    if (bytes != nullptr) {
        const std::size_t size = GlobalSize(data);
        text.assign(bytes, strnlen(bytes, size));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

void PasteTag(TMainForm& form) {
    if (!IsWindowEnabled(form.title) || !IsClipboardFormatAvailable(CF_TEXT))
        return;
    const std::string text = ClipboardText(form.window);
    if (form.tag.Paste(text))
        ShowBoxes(form);
}

void Navigate(TMainForm& form, int index) {
    char name[MAX_PATH] = "";
    if (SendMessageA(form.folderList, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0) >= MAX_PATH)
        return;
    SendMessageA(form.folderList, LB_GETTEXT, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(name));
    std::string entry(name);
    if (entry.size() < 2)
        return;
    entry = entry.substr(1, entry.size() - 2);  // "[name]"
    std::string target = form.currentFolder;
    if (entry == "..") {
        const std::size_t slash = target.find_last_of('\\');
        if (slash == std::string::npos)
            return;
        target = target.substr(0, slash);
        if (target.size() == 2)
            target += "\\";
    } else {
        if (target.empty() || target.back() != '\\')
            target += '\\';
        target += entry;
    }
    ChangeFolder(form, target);
}

void FillDrives(TMainForm& form) {
    SendMessageA(form.driveBox, CB_RESETCONTENT, 0, 0);
    char drives[256] = "";
    GetLogicalDriveStringsA(sizeof drives, drives);
    for (const char* d = drives; *d != '\0'; d += std::strlen(d) + 1) {
        const std::string drive(d, 2);
        const LRESULT at =
            SendMessageA(form.driveBox, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(drive.c_str()));
        if (_strnicmp(drive.c_str(), form.currentFolder.c_str(), 2) == 0) {
            SendMessageA(form.driveBox, CB_SETCURSEL, static_cast<WPARAM>(at), 0);
        }
    }
}

}  // namespace

void PushSongList(TMainForm& form) {
    form.pushingList = true;
    SendMessageA(form.songList, LVM_SETITEMCOUNT, static_cast<WPARAM>(form.list.Count()),
                 LVSICF_NOSCROLL);
    LVITEMA clear{};
    clear.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(form.songList, LVM_SETITEMSTATE, static_cast<WPARAM>(-1),
                 reinterpret_cast<LPARAM>(&clear));
    LVITEMA selected{};
    selected.state = selected.stateMask = LVIS_SELECTED;
    for (int i = 0; i < form.list.Count(); ++i) {
        if (form.list.IsSelected(i)) {
            SendMessageA(form.songList, LVM_SETITEMSTATE, static_cast<WPARAM>(i),
                         reinterpret_cast<LPARAM>(&selected));
        }
    }
    if (form.list.FocusIndex() >= 0) {
        LVITEMA focus{};
        focus.state = focus.stateMask = LVIS_FOCUSED;
        SendMessageA(form.songList, LVM_SETITEMSTATE, static_cast<WPARAM>(form.list.FocusIndex()),
                     reinterpret_cast<LPARAM>(&focus));
    }
    InvalidateRect(form.songList, nullptr, FALSE);
    form.pushingList = false;
    ApplyListCommands(form, form.list.ListCommands());
    ShowTotals(form);
}

bool ChangeFolder(TMainForm& form, const std::string& folder) {
    std::string base = folder;
    while (base.size() > 3 && base.back() == '\\') base.pop_back();
    const DWORD attributes = GetFileAttributesA(base.c_str());
    if (base.empty() || attributes == INVALID_FILE_ATTRIBUTES ||
        (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        return false;
    }
    form.currentFolder = base.back() == '\\' ? base.substr(0, base.size() - 1) : base;
    const std::string prefix = form.currentFolder + "\\";
    SendMessageA(form.folderList, WM_SETREDRAW, FALSE, 0);
    SendMessageA(form.folderList, LB_RESETCONTENT, 0, 0);
    SendMessageA(form.fileList, WM_SETREDRAW, FALSE, 0);
    SendMessageA(form.fileList, LB_RESETCONTENT, 0, 0);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((prefix + "*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                if (name == "." || (name == ".." && form.currentFolder.size() <= 2))
                    continue;
                SendMessageA(form.folderList, LB_ADDSTRING, 0,
                             reinterpret_cast<LPARAM>(("[" + name + "]").c_str()));
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    if (form.currentFolder.size() > 2 &&
        SendMessageA(form.folderList, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>("[..]")) == LB_ERR) {
        SendMessageA(form.folderList, LB_INSERTSTRING, 0, reinterpret_cast<LPARAM>("[..]"));
    }
    search = FindFirstFileA((prefix + std::string(kFileMask)).c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
                SendMessageA(form.fileList, LB_ADDSTRING, 0,
                             reinterpret_cast<LPARAM>(found.cFileName));
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    SendMessageA(form.folderList, WM_SETREDRAW, TRUE, 0);
    SendMessageA(form.fileList, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(form.folderList, nullptr, TRUE);
    InvalidateRect(form.fileList, nullptr, TRUE);
    FillDrives(form);
    const int count = static_cast<int>(SendMessageA(form.fileList, LB_GETCOUNT, 0, 0));
    EnableCommand(form, IDM_ADDALL, count > 0);
    EnableCommand(form, IDM_ADD, false);
    SetText(form.fileCount, FileListCountLabel(0, count));
    return true;
}

std::vector<std::string> FileListNames(const TMainForm& form, bool all) {
    std::vector<int> indexes;
    const int count = static_cast<int>(SendMessageA(form.fileList, LB_GETCOUNT, 0, 0));
    if (all) {
        for (int i = 0; i < count; ++i) indexes.push_back(i);
    } else {
        const int selected = static_cast<int>(SendMessageA(form.fileList, LB_GETSELCOUNT, 0, 0));
        indexes.resize(static_cast<std::size_t>(std::max(selected, 0)));
        if (selected > 0) {
            SendMessageA(form.fileList, LB_GETSELITEMS, static_cast<WPARAM>(selected),
                         reinterpret_cast<LPARAM>(indexes.data()));
        }
    }
    std::vector<std::string> names;
    for (int index : indexes) {
        char name[MAX_PATH] = "";
        if (SendMessageA(form.fileList, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0) >= MAX_PATH)
            continue;
        SendMessageA(form.fileList, LB_GETTEXT, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(name));
        names.push_back(form.currentFolder + "\\" + name);
    }
    return names;
}

void FormCreateModel(TMainForm& form) {
    form.playListFile = form.params.programFolder + "\\" + std::string(kPlayListFileName);
    form.lyricsExtensions = LoadOptions(form.store, kDefaultSection).lyricsExtensions;
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    form.player = std::make_unique<PlayerController>(
        *form.params.playerWindow, *form.params.playerShell, *form.params.screenSaver,
        form.playListFile, [&form](std::string_view text, TMessageIcon icon) {
            form.dialogs.Message(form.window, text, MB_OK | IconFlags(icon));
        });

    RECT client;
    GetClientRect(form.window, &client);
    RECT status;
    GetWindowRect(form.statusBar, &status);
    form.panels =
        LoadPanelSizes(form.store, client.right, client.bottom, status.bottom - status.top);
    form.view = LoadViewSettings(form.store);
    form.list.SetSortState(SortStateOf(form.view));
    SendMessageA(form.tabSet, TCM_SETCURSEL, static_cast<WPARAM>(form.view.tabSetIndex), 0);
    form.player->ApplyViewSettings(form.view.playerVisible, form.view.playerTopmost);
    ApplyPlayerCommands(form);

    form.currentSetName = ReadCurrentSetName(form.store);
    form.active = TActiveControl::SongList;
    form.setNotice = LoadSet(form);
    if (!ChangeFolder(form, form.view.recentDirectory))
        ChangeFolder(form, form.params.programFolder);

    ApplyOptions(form);
    ApplyTagCommands(form);
    ReadToolBarPlacement(form);
    if (form.params.trayIcon) {
        HINSTANCE instance = GetModuleHandleA(nullptr);
        form.tray = std::make_unique<TrayIcon>(
            instance, static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_ORVANE),
                                                    IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                    GetSystemMetrics(SM_CYSMICON), 0)));
        form.tray->SetPopupMenu(GetSubMenu(form.trayMenu, 0), form.window);
        form.tray->onDblClick = [&form] { MainCommand(form, IDM_RESTORE); };
        form.tray->SetToolTip(MainWindowCaption(form.currentSetName));
        form.tray->SetActive(true);
    }
    LayOut(form);
    RefreshSongInfo(form);
}

void FormCreateFinish(TMainForm& form) {
    // Run once the window shows, so the questions it may ask stand over it.
    ShowSetNotice(form, std::exchange(form.setNotice, {}));
    if (form.params.classes != nullptr) {
        WindowAssociationHost host(form);
        CheckAssociation(*form.params.classes, host);
    }
    const TOptions options = LoadOptions(form.store, kDefaultSection);
    form.player->Start(options.autoLaunchWinPlay3);
    ApplyPlayerCommands(form);
    if (options.autoSet && form.list.Count() > 0)
        PlayCommand(form, IDM_PLAYLIST);
}

void FormShow(TMainForm& form) {
    // The placement is put back at every show, as the last run left it, once the window is
    // visible: a hidden window takes the bounds but not the state.
    if (form.params.placement != nullptr)
        PostMessageA(form.window, kApplyPlacementMessage, 0, 0);
    WriteSetting(form.store, setting::AppHide, false);
    form.hidden = false;
    form.list.UpdateListCommands();
    PushSongList(form);
}

void FormClose(TMainForm& form, bool endOfSession) {
    // Closing goes on past a failed save, so the user is never kept in; each failure is shown,
    // except at the end of the session, which no box may hold up.
    const auto step = [&form, endOfSession](auto&& action) {
        try {
            action();
        } catch (const std::exception& error) {
            if (!endOfSession)
                form.dialogs.Message(form.window, error.what(), MB_OK | MB_ICONERROR);
        }
    };
    // A pending tag edit is asked about as when leaving its song; the end of the session
    // asks nothing and keeps it only under "AutoSaveTag".
    step([&form, endOfSession] {
        if (!endOfSession) {
            SaveTagIfChanged(form, false);
        } else if (form.tag.SaveDecision(false, ReadSetting(form.store, setting::AutoSaveTag)) ==
                       TSaveDecision::Write &&
                   WriteTag(form.tag.TagFileName(), EncodeTag(form.tag.RecordToWrite())).result ==
                       TWriteTagResult::Written) {
            form.tag.Saved();
        }
    });
    step([&form] { SaveSet(form); });
    if (form.params.placement != nullptr) {
        step([&form] { form.params.placement->Save(form.window); });
    }
    step([&form] { SavePanelSizes(form.store, form.panels); });
    step([&form] {
        StoreSortState(form.view, form.list.SortState());
        form.view.tabSetIndex = static_cast<int>(SendMessageA(form.tabSet, TCM_GETCURSEL, 0, 0));
        form.view.playerVisible = form.player->Commands().visibleDown;
        form.view.playerTopmost = form.player->Commands().topMostDown;
        form.view.recentDirectory = form.currentFolder;
        SaveViewSettings(form.store, form.view);
    });
}

void FormApplyPlacement(TMainForm& form) {
    if (form.params.placement == nullptr || form.restoringPlacement ||
        !IsWindowVisible(form.window))
        return;
    form.restoringPlacement = true;
    form.params.placement->Restore(form.window);
    form.restoringPlacement = false;
}

void FormEndSession(TMainForm& form) {
    // Logoff or shutdown: what closing and the end of the window keep is written, nothing is
    // asked.
    FormClose(form, true);
    try {
        WriteToolBarPlacement(form);
    } catch (const std::exception&) {
    }
    form.sessionEnded = true;
}

void FormDestroy(TMainForm& form) {
    // The quit message below must follow whatever happens to the settings.
    try {
        WriteToolBarPlacement(form);
    } catch (const std::exception& error) {
        if (!form.sessionEnded)
            form.dialogs.Message(nullptr, error.what(), MB_OK | MB_ICONERROR);
    }
    form.tray.reset();
    KillTimer(form.window, 1);
    form.player->Finish(ReadSetting(form.store, setting::AutoCloseWinPlay3));
    for (HIMAGELIST images : {form.toolBarImages, form.toolPanelImages}) ImageList_Destroy(images);
    if (form.lyricsFont != nullptr)
        DeleteObject(form.lyricsFont);
    if (form.dragCursor != nullptr)
        DestroyCursor(form.dragCursor);
    DestroyMenu(form.listMenu);
    DestroyMenu(form.trayMenu);
}

void SongListStartDrag(TMainForm& form) {
    PullSelection(form);
    BeginDrag(form, TDragSource::SongList);
}

void FileListBoxStartDrag(TMainForm& form) {
    BeginDrag(form, TDragSource::FileList);
}

bool SongListDragOver(TMainForm& form, POINT screen) {
    const int item = SongListItemAt(form, screen);
    const bool accepted =
        form.dragSource == TDragSource::FileList
            ? item >= -1
            : form.dragSource == TDragSource::SongList && item >= 0 && form.list.CanDragWithin();
    SetCursor(accepted ? form.dragCursor : LoadCursorA(nullptr, IDC_NO));
    return accepted;
}

void SongListDragDrop(TMainForm& form, POINT screen) {
    const TDragSource source = form.dragSource;
    const bool accepted = SongListDragOver(form, screen);
    EndDrag(form);
    if (!accepted)
        return;
    if (source == TDragSource::SongList) {
        if (form.list.DragWithin(SongListItemAt(form, screen)))
            PushSongList(form);
    } else if (SendMessageA(form.toolPanel, TB_ISBUTTONENABLED, IDM_ADD, 0)) {
        MainCommand(form, IDM_ADD);
    }
}

void EndDrag(TMainForm& form) {
    if (form.dragSource == TDragSource::None)
        return;
    form.dragSource = TDragSource::None;
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
    if (GetCapture() == form.window)
        ReleaseCapture();
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

void SongListClick(TMainForm& form) {
    PullSelection(form);
    SaveTagIfChanged(form, false);
    ApplyListCommands(form, form.list.ListCommands());
    RefreshSongInfo(form);
}

void SongListDblClick(TMainForm& form) {
    PullSelection(form);
    const TDoubleClickAction option = LoadOptions(form.store, kDefaultSection).doubleClick;
    switch (DoubleClickCommand(TClickedList::SongList, option, form.list.SelectedCount() > 0)) {
        case TDoubleClickCommand::Remove:
            MainCommand(form, IDM_REMOVE);
            break;
        case TDoubleClickCommand::Play:
            MainCommand(form, IDM_PLAY);
            break;
        case TDoubleClickCommand::PlayListFromHere:
            MainCommand(form, IDM_PLAYLISTHERE);
            break;
        default:
            break;
    }
}

void SongListPopup(TMainForm& form) {
    POINT at;
    GetCursorPos(&at);
    TrackPopupMenu(GetSubMenu(form.listMenu, 0), TPM_RIGHTBUTTON, at.x, at.y, 0, form.window,
                   nullptr);
}

void SongListColumnClick(TMainForm& form, int column) {
    PullSelection(form);
    form.list.ColumnClick(column);
    PushSongList(form);
}

void FileListBoxClick(TMainForm& form) {
    SaveTagIfChanged(form, false);
    const int count = static_cast<int>(SendMessageA(form.fileList, LB_GETCOUNT, 0, 0));
    const int selected = static_cast<int>(SendMessageA(form.fileList, LB_GETSELCOUNT, 0, 0));
    SetText(form.fileCount, FileListCountLabel(selected, count));
    EnableCommand(form, IDM_ADD, selected > 0);
    RefreshSongInfo(form);
}

void FileListBoxDblClick(TMainForm& form) {
    const TDoubleClickAction option = LoadOptions(form.store, kDefaultSection).doubleClick;
    PullSelection(form);
    switch (DoubleClickCommand(TClickedList::FileList, option, form.list.SelectedCount() > 0)) {
        case TDoubleClickCommand::Add:
            MainCommand(form, IDM_ADD);
            break;
        case TDoubleClickCommand::Play:
            MainCommand(form, IDM_PLAY);
            break;
        default:
            break;
    }
}

void FolderListDblClick(TMainForm& form) {
    const LRESULT index = SendMessageA(form.folderList, LB_GETCURSEL, 0, 0);
    if (index >= 0)
        Navigate(form, static_cast<int>(index));
}

void DriveBoxChange(TMainForm& form) {
    char drive[8] = "";
    const LRESULT index = SendMessageA(form.driveBox, CB_GETCURSEL, 0, 0);
    if (index < 0 ||
        SendMessageA(form.driveBox, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0) >= 6)
        return;
    SendMessageA(form.driveBox, CB_GETLBTEXT, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(drive));
    if (!ChangeFolder(form, std::string(drive) + "\\"))
        FillDrives(form);
}

void TagBoxChange(TMainForm& form) {
    if (form.settingBoxes)
        return;
    form.tag.Edited(ReadBoxes(form));
    ApplyTagCommands(form);
}

void YearChange(TMainForm& form, bool picked) {
    if (form.settingBoxes)
        return;
    form.yearTouched = true;
    TTagBoxes boxes = ReadBoxes(form);
    const LRESULT index = SendMessageA(form.year, CB_GETCURSEL, 0, 0);
    if (picked && index >= 0 &&
        SendMessageA(form.year, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0) < 16) {
        char text[16] = "";
        SendMessageA(form.year, CB_GETLBTEXT, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(text));
        boxes.year = text;
    }
    form.tag.Edited(boxes);
    ApplyTagCommands(form);
}

void YearExit(TMainForm& form) {
    const std::optional<TYearResult> result =
        YearOnExit(form.yearTouched, WindowText(form.year), CurrentYear());
    if (!result)
        return;
    if (result->check == TYearCheck::Rejected) {
        WarnYear(form);
        return;
    }
    if (result->text != WindowText(form.year)) {
        form.settingBoxes = true;
        SetText(form.year, result->text);
        form.settingBoxes = false;
        form.tag.Edited(ReadBoxes(form));
        ApplyTagCommands(form);
    }
}

void MainCommand(TMainForm& form, int id) {
    // The tray's menu and icon stay usable while a box is up: they only bring it forward.
    if (form.modalDepth > 0) {
        BringModalForward(form);
        return;
    }
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
        case IDM_RANDOMIZE:
            PullSelection(form);
            form.list.Randomize(form.random);
            PushSongList(form);
            break;
        case IDM_EMPTY:
            if (form.dialogs.Message(form.window, kEmptyListQuestion, MB_YESNO | MB_ICONQUESTION) ==
                IDYES) {
                form.list.RemoveAll();
                DropTagPanel(form);
                PushSongList(form);
            }
            break;
        case IDM_RESET: {
            RECT client;
            GetClientRect(form.window, &client);
            RECT status;
            GetWindowRect(form.statusBar, &status);
            form.panels =
                DefaultPanelSizes(client.right, client.bottom, status.bottom - status.top);
            SavePanelSizes(form.store, form.panels);
            LayOut(form);
            break;
        }
        case IDM_SETS:
            OpenSets(form);
            break;
        case IDM_PROPERTIES:
            OpenProperties(form);
            break;
        case IDM_LYRICSFONT:
            ChooseLyricsFont(form);
            break;
        case IDM_ASSOCIATION:
            if (form.params.classes != nullptr) {
                WindowAssociationHost host(form);
                AskPlayerLocation(*form.params.classes, host);
            }
            break;
        case IDM_BUTTONSIZE:
            AskButtonSize(form);
            break;
        case IDM_HIDE:
            HideForm(form);
            break;
        case IDM_RESTORE:
            RestoreForm(form);
            break;
        case IDM_EXIT:
            form.closeBoxHit = false;
            PostMessageA(form.window, WM_CLOSE, 0, 0);
            break;
        case IDM_ABOUT:
            About(form);
            break;
        case IDM_ADD:
        case IDM_ADDALL:
            AddFiles(form, id == IDM_ADDALL);
            break;
        case IDM_REMOVE:
            // A pending edit of a removed song goes with it: no question later writes it to a
            // song the user no longer has.
            PullSelection(form);
            form.list.RemoveSelected();
            DropTagPanel(form);
            PushSongList(form);
            break;
        case IDM_REMOVEALL:
            form.list.RemoveAll();
            DropTagPanel(form);
            PushSongList(form);
            break;
        case IDM_UP:
        case IDM_DOWN:
            PullSelection(form);
            if (id == IDM_UP)
                form.list.MoveUp();
            else
                form.list.MoveDown();
            PushSongList(form);
            break;
        case IDM_CHECK: {
            PullSelection(form);
            const int deleted = form.list.Check(FileExistsA);
            PushSongList(form);
            form.dialogs.Message(form.window, CheckResultMessage(deleted),
                                 MB_OK | MB_ICONINFORMATION);
            break;
        }
        case IDM_CLEANFLAG:
            form.list.CleanUsageFlag();
            PushSongList(form);
            break;
        case IDM_SORTFILENAME:
        case IDM_SORTTIME:
        case IDM_SORTPATH:
        case IDM_NOSORT:
            PullSelection(form);
            form.list.ChooseSortItem(static_cast<TSortKey>(id - IDM_SORTFILENAME));
            PushSongList(form);
            break;
        case IDM_REVERSE:
            PullSelection(form);
            form.list.ToggleReverseOrder();
            PushSongList(form);
            break;
        case IDM_SORTALWAYS:
            PullSelection(form);
            form.list.ToggleSortAlways();
            PushSongList(form);
            break;
        case IDM_SELECTALL:
            form.list.SelectAll();
            PushSongList(form);
            break;
        case IDM_CLEARSEL:
            form.list.ClearSelection();
            PushSongList(form);
            break;
        case IDM_INVERTSEL:
            PullSelection(form);
            form.list.InvertSelection();
            PushSongList(form);
            break;
        case IDM_NEWTAG:
            ClearTagPanel(form);
            break;
        case IDM_SAVETAG:
            SaveTagIfChanged(form, true);
            ApplyTagCommands(form);
            break;
        case IDM_UNDO:
            form.tag.Undo();
            ShowBoxes(form);
            break;
        case IDM_COPY:
            CopyTag(form);
            break;
        case IDM_CUT:
            CopyTag(form);
            ClearTagPanel(form);
            break;
        case IDM_PASTE:
            PasteTag(form);
            break;
        default:
            return;
    }
    ApplyPlayerCommands(form);
}

}  // namespace orvane
