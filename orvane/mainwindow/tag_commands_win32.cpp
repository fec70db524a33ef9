// The commands that act on the shown song's tag: the panels, Save, New, Undo, Copy, Cut, Paste
// and the Year box.
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

void EnableTagFields(TMainForm& form, bool enabled) {
    for (HWND box : {form.title, form.artist, form.album, form.genre, form.year, form.comment}) {
        EnableWindow(box, enabled);
    }
}

// A tag write that fails is reported; the boxes keep the edit so it can be saved again.
bool WriteShownTag(TMainForm& form) {
    const TWriteTagOutcome outcome = form.tag.WriteTags();
    if (outcome.result == TWriteTagResult::Written)
        return true;
    const std::string text = outcome.result == TWriteTagResult::Failed
                                 ? outcome.error
                                 : "Unable to write the tag to " + form.tag.TagFileName();
    form.dialogs.Message(form.window, text, MB_OK | MB_ICONERROR);
    return false;
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

}  // namespace

void ShowBoxes(TMainForm& form) {
    const TTagBoxes& boxes = form.tag.Boxes();
    form.settingBoxes = true;
    form.yearTouched = false;
    form.yearWarned.clear();
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

// The year the user typed is out of range: said, and the focus goes back to it.
void WarnYear(TMainForm& form) {
    form.yearWarned = WindowText(form.year);
    form.dialogs.Message(form.window, kYearNotValidMessage, MB_OK | MB_ICONERROR);
    PostMessageA(form.window, kFocusYearMessage, 0, 0);
}

bool SaveTagIfChanged(TMainForm& form, bool forced) {
    const bool autoSave = ReadSetting(form.store, setting::AutoSaveTag);
    const TSaveDecision decision = form.tag.SaveDecision(forced, autoSave);
    if (decision != TSaveDecision::Nothing &&
        YearBlocksSave(form.yearTouched, WindowText(form.year), CurrentYear())) {
        WarnYear(form);
        return false;
    }
    switch (decision) {
        case TSaveDecision::Nothing:
            return true;
        case TSaveDecision::Ask:
            if (form.dialogs.Message(form.window, kTagChangedQuestion,
                                     MB_YESNO | MB_ICONQUESTION) != IDYES) {
                return true;
            }
            break;
        case TSaveDecision::Write:
            break;
    }
    const bool written = WriteShownTag(form);
    ApplyTagCommands(form);
    return written;
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

void CopyTag(TMainForm& form) {
    // Paste is enabled only by a text the clipboard took.
    if (!PutOnClipboard(form.window, form.tag.Copy()))
        form.tag.CopyNotTaken();
    ApplyTagCommands(form);
}

void PasteTag(TMainForm& form) {
    if (!IsWindowEnabled(form.title) || !IsClipboardFormatAvailable(CF_TEXT))
        return;
    const std::string text = ClipboardText(form.window);
    if (form.tag.Paste(text))
        ShowBoxes(form);
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
    form.yearWarned.clear();
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
    // A box taking the focus is not the user leaving the box (the year's own warning included).
    if (form.modalDepth > 0)
        return;
    const std::optional<TYearResult> result =
        YearOnExit(form.yearTouched, WindowText(form.year), CurrentYear());
    if (!result)
        return;
    if (result->check == TYearCheck::Rejected) {
        // Said once per typed year: the focus coming back to the box and going again after
        // the warning is not a new try.
        if (WindowText(form.year) != form.yearWarned)
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

bool TagCommand(TMainForm& form, int id) {
    switch (id) {
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
            return false;
    }
    return true;
}

}  // namespace orvane
