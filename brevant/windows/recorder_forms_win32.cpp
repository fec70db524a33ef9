// The file dialogs (filters from the string table) and the song's seams on the
// window: its questions, title and track list box.
#include "recorder_window_win32.h"

#include <vector>

#include "resource.h"

namespace brevant {
namespace {

// Paths longer than a record holds still reach the song, which refuses them by name.
constexpr std::size_t kPathBuffer = 1024;

std::string loadText(HINSTANCE instance, int id) {
    char text[256] = "";
    LoadStringA(instance, static_cast<UINT>(id), text, sizeof text);
    return text;
}

}  // namespace

std::string dialogText(HWND dialog, int id) {
    char text[kPathBuffer] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

RecorderState* dialogState(HWND dialog, UINT message, LPARAM lParam) {
    if (message == WM_INITDIALOG)
        return reinterpret_cast<RecorderState*>(lParam);
    return reinterpret_cast<RecorderState*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

std::optional<std::string> chooseFile(RecorderState& state, HWND owner, bool save,
                                      const std::string& title, FileKind kind,
                                      const std::string& initialPath) {
    int filterId = IDS_FILTER_WAVE;
    if (kind == FileKind::Project)
        filterId = IDS_FILTER_SONG;
    if (kind == FileKind::Midi)
        filterId = IDS_FILTER_MIDI;
    if (kind == FileKind::Program)
        filterId = IDS_FILTER_PROGRAM;
    std::string filter = loadText(state.instance, filterId);
    for (char& c : filter) {
        if (c == '|')
            c = '\0';
    }
    std::vector<char> path(kPathBuffer, '\0');
    lstrcpynA(path.data(), initialPath.c_str(), static_cast<int>(path.size()));
    OPENFILENAMEA request{};
    request.lStructSize = sizeof request;
    request.hwndOwner = owner;
    request.lpstrFilter = filter.c_str();
    request.nFilterIndex = 2;
    request.lpstrFile = path.data();
    request.nMaxFile = static_cast<DWORD>(path.size());
    request.lpstrTitle = title.c_str();
    // The dialog keeps the current folder: the project's relative track names are read from it.
    request.Flags = OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR |
                    (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
    const bool chosen =
        save ? state.dialogs.saveFileName(request) : state.dialogs.openFileName(request);
    if (!chosen)
        return std::nullopt;
    return std::string(path.data());
}

// ---- the song's seams ----

void WindowSongUi::showMessage(const std::string& text, const std::string& caption) {
    showBox(state_, state_.main, text, caption.c_str());
}

Answer WindowSongUi::askYesNoCancel(const std::string& text, const std::string& caption) {
    switch (state_.dialogs.messageBox(state_.main, text, caption.c_str(),
                                      MB_YESNOCANCEL | MB_ICONQUESTION)) {
        case IDYES:
            return Answer::Yes;
        case IDNO:
            return Answer::No;
        default:
            return Answer::Cancel;
    }
}

std::optional<std::string> WindowSongUi::chooseFileToOpen(const std::string& title, FileKind kind) {
    return chooseFile(state_, state_.main, false, title, kind);
}

std::optional<std::string> WindowSongUi::chooseFileToSave(const std::string& title, FileKind kind) {
    return chooseFile(state_, state_.main, true, title, kind);
}

void WindowSongUi::setTitle(const std::string& title) {
    SetWindowTextA(state_.main, title.c_str());
}

TrackConversion WindowSongUi::convertTrack(const std::string& path, std::uint32_t frequency) {
    return convertTrackWithProgress(state_, path, frequency);
}

void ListBoxTracks::clear() {
    SendDlgItemMessageA(state_.mixerPanel, IDC_TRACKLIST, LB_RESETCONTENT, 0, 0);
}

int ListBoxTracks::add(const std::string& text) {
    return static_cast<int>(SendDlgItemMessageA(state_.mixerPanel, IDC_TRACKLIST, LB_ADDSTRING, 0,
                                                reinterpret_cast<LPARAM>(text.c_str())));
}

void ListBoxTracks::select(int index) {
    SendDlgItemMessageA(state_.mixerPanel, IDC_TRACKLIST, LB_SETCURSEL, index, 0);
}

int ListBoxTracks::selection() const {
    return static_cast<int>(
        SendDlgItemMessageA(state_.mixerPanel, IDC_TRACKLIST, LB_GETCURSEL, 0, 0));
}

}  // namespace brevant
