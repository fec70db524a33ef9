// The recorder's dialogs: file dialogs, Render, Preferences, MIDI
// Synchronization and the help window; and the song's seams on the window.
#include "recorder_window_win32.h"

#include <commctrl.h>

#include <deque>
#include <mutex>
#include <vector>

#include "midi_dialog.h"
#include "preferences_form.h"
#include "resource.h"
#include "song_renderer.h"

namespace brevant {
namespace {

// Paths longer than a record holds still reach the song, which refuses them by name.
constexpr std::size_t kPathBuffer = 1024;
constexpr UINT kRenderEvent = WM_APP + 1;

std::string loadText(HINSTANCE instance, int id) {
    char text[256] = "";
    LoadStringA(instance, static_cast<UINT>(id), text, sizeof text);
    return text;
}

std::string dialogText(HWND dialog, int id) {
    char text[kPathBuffer] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

// ---- Render ----

// The worker's reports, queued for the dialog and taken on the main thread:
// the worker never waits for the window.
class PostedRenderEvents final : public RenderEvents {
  public:
    struct Event {
        enum class Kind { Range, Step, Message, Finished } kind;
        std::int64_t value = 0;
        std::string text, caption;
    };

    void setDialog(HWND dialog) { dialog_ = dialog; }
    void showMessage(const std::string& text, const std::string& caption) override {
        push({Event::Kind::Message, 0, text, caption});
    }
    void setProgressRange(std::int64_t high) override { push({Event::Kind::Range, high, {}, {}}); }
    void stepProgress() override { push({Event::Kind::Step, 0, {}, {}}); }
    void finished(RenderOutcome outcome) override {
        push({Event::Kind::Finished, static_cast<int>(outcome), {}, {}});
    }

    std::deque<Event> take() {
        std::lock_guard<std::mutex> lock(mutex_);
        return std::exchange(events_, {});
    }

  private:
    void push(Event event) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            events_.push_back(std::move(event));
        }
        PostMessageA(dialog_, kRenderEvent, 0, 0);
    }

    HWND dialog_ = nullptr;
    std::mutex mutex_;
    std::deque<Event> events_;
};

struct RenderDialog {
    explicit RenderDialog(RecorderState& owner) : state(owner), song(owner.song()) {}
    RecorderState& state;
    Song song;  // the worker's own copy: the live song may change under the modal loop
    PostedRenderEvents events;
    SongRenderer renderer{events};
    bool started = false;
};

void startRender(RenderDialog& render, HWND dialog) {
    render.events.setDialog(dialog);
    const auto chosen =
        chooseFile(render.state, dialog, true, "Render song to WAV file:", FileKind::Wave);
    if (!chosen) {
        EndDialog(dialog, IDCANCEL);
        return;
    }
    const std::string path = withExtension(*chosen, ".wav");
    if (const Status refused = SongRenderer::checkOutputPath(render.song, path); !refused) {
        showBox(render.state, dialog, refused.message(), "Error:");
        return;
    }
    render.started = true;
    render.renderer.start(render.song, path, render.state.transport->songSeconds());
}

void takeRenderEvents(RenderDialog& render, HWND dialog) {
    HWND bar = GetDlgItem(dialog, IDC_PROGRESS);
    for (const auto& event : render.events.take()) {
        using Kind = PostedRenderEvents::Event::Kind;
        switch (event.kind) {
            case Kind::Range:
                SendMessageA(bar, PBM_SETRANGE32, 0, static_cast<LPARAM>(event.value));
                SendMessageA(bar, PBM_SETSTEP, 1, 0);
                break;
            case Kind::Step:
                SendMessageA(bar, PBM_STEPIT, 0, 0);
                break;
            case Kind::Message:
                showBox(render.state, dialog, event.text,
                        event.caption.empty() ? nullptr : event.caption.c_str());
                break;
            case Kind::Finished:
                if (event.value == static_cast<int>(RenderOutcome::Completed)) {
                    render.renderer.join();
                    EndDialog(dialog, IDOK);
                }
                break;
        }
    }
}

void stopRender(RenderDialog& render, HWND dialog) {
    render.renderer.stop();
    showBox(render.state, dialog, "Operation aborted.", "User stop");
    render.renderer.join();
    EndDialog(dialog, IDCANCEL);
}

INT_PTR renderMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        startRender(*reinterpret_cast<RenderDialog*>(lParam), dialog);
        return TRUE;
    }
    auto* render = reinterpret_cast<RenderDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (render == nullptr)
        return FALSE;
    if (message == kRenderEvent) {
        takeRenderEvents(*render, dialog);
        return TRUE;
    }
    if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
        stopRender(*render, dialog);
        return TRUE;
    }
    return FALSE;
}

INT_PTR CALLBACK renderProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    RenderDialog* render =
        message == WM_INITDIALOG
            ? reinterpret_cast<RenderDialog*>(lParam)
            : reinterpret_cast<RenderDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
    return guardedDialog(render != nullptr ? &render->state : nullptr,
                         [&] { return renderMessage(dialog, message, wParam, lParam); });
}

// ---- Preferences ----

struct FrequencyButton {
    int id;
    std::uint32_t hz;
};
constexpr FrequencyButton kFrequencies[] = {{IDC_FREQ_8000, 8000},
                                            {IDC_FREQ_11025, 11025},
                                            {IDC_FREQ_22050, 22050},
                                            {IDC_FREQ_44100, 44100},
                                            {IDC_FREQ_48000, 48000}};

void showPreferences(HWND dialog, const PreferencesForm& form) {
    SetDlgItemTextA(dialog, IDC_EDITOR_PATH, form.editorPath.c_str());
    CheckRadioButton(dialog, IDC_MONO, IDC_STEREO, form.stereo ? IDC_STEREO : IDC_MONO);
    CheckRadioButton(dialog, IDC_BITS_8, IDC_BITS_16, form.sixteenBit ? IDC_BITS_16 : IDC_BITS_8);
    CheckDlgButton(dialog, IDC_MONO_PLAYBACK, form.monoPlayback ? BST_CHECKED : BST_UNCHECKED);
    for (const FrequencyButton& button : kFrequencies) {
        if (form.frequency == button.hz)
            CheckDlgButton(dialog, button.id, BST_CHECKED);
    }
    SetDlgItemTextA(dialog, IDC_COMPENSATION, form.compensationText.c_str());
}

PreferencesForm readPreferences(HWND dialog) {
    PreferencesForm form;
    form.editorPath = dialogText(dialog, IDC_EDITOR_PATH);
    form.sixteenBit = IsDlgButtonChecked(dialog, IDC_BITS_16) == BST_CHECKED;
    form.stereo = IsDlgButtonChecked(dialog, IDC_STEREO) == BST_CHECKED;
    form.monoPlayback = IsDlgButtonChecked(dialog, IDC_MONO_PLAYBACK) == BST_CHECKED;
    for (const FrequencyButton& button : kFrequencies) {
        if (IsDlgButtonChecked(dialog, button.id) == BST_CHECKED)
            form.frequency = button.hz;
    }
    form.compensationText = dialogText(dialog, IDC_COMPENSATION);
    return form;
}

// A refused field keeps the dialog open with the field selected, so the user
// can mend it without losing the other changes.
void selectRefusedField(RecorderState& state, HWND dialog, int field, const Status& refused) {
    showBox(state, dialog, refused.message(), "Error");
    SendDlgItemMessageA(dialog, field, EM_SETSEL, 0, -1);
    SetFocus(GetDlgItem(dialog, field));
}

INT_PTR preferencesMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        auto& state = *reinterpret_cast<RecorderState*>(lParam);
        showPreferences(dialog, openPreferences(state.song(), state.settings));
        return TRUE;
    }
    auto* state = reinterpret_cast<RecorderState*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (state == nullptr || message != WM_COMMAND)
        return FALSE;
    switch (LOWORD(wParam)) {
        case IDC_BROWSE:
            if (const auto path =
                    chooseFile(*state, dialog, false, "Select wave editor:", FileKind::Program)) {
                SetDlgItemTextA(dialog, IDC_EDITOR_PATH, path->c_str());
            }
            return TRUE;
        case IDOK: {
            const PreferencesForm form = readPreferences(dialog);
            if (const Status stored = applyPreferences(form, state->song(), state->settings);
                !stored) {
                selectRefusedField(*state, dialog, IDC_EDITOR_PATH, stored);
                return TRUE;
            }
            EndDialog(dialog, IDOK);
            refreshMixer(*state);
            return TRUE;
        }
        case IDCANCEL:
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        default:
            return FALSE;
    }
}

RecorderState* dialogState(HWND dialog, UINT message, LPARAM lParam) {
    if (message == WM_INITDIALOG)
        return reinterpret_cast<RecorderState*>(lParam);
    return reinterpret_cast<RecorderState*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

INT_PTR CALLBACK preferencesProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    return guardedDialog(dialogState(dialog, message, lParam),
                         [&] { return preferencesMessage(dialog, message, wParam, lParam); });
}

// ---- MIDI Synchronization ----

INT_PTR midiMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        const MidiDialogForm form =
            openMidiDialog(reinterpret_cast<RecorderState*>(lParam)->song());
        SetDlgItemTextA(dialog, IDC_MIDI_FILE, form.midiFile.c_str());
        SetDlgItemTextA(dialog, IDC_MIDI_COMPENSATION, form.compensationText.c_str());
        return TRUE;
    }
    auto* state = reinterpret_cast<RecorderState*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (state == nullptr || message != WM_COMMAND)
        return FALSE;
    switch (LOWORD(wParam)) {
        case IDC_MIDI_BROWSE:
            if (const auto path =
                    chooseFile(*state, dialog, false, kMidiFileDialogTitle, FileKind::Midi)) {
                SetDlgItemTextA(dialog, IDC_MIDI_FILE, path->c_str());
            }
            return TRUE;
        case IDOK: {
            const MidiDialogForm form{dialogText(dialog, IDC_MIDI_FILE),
                                      dialogText(dialog, IDC_MIDI_COMPENSATION)};
            if (const Status stored = applyMidiDialog(form, state->song()); !stored) {
                selectRefusedField(*state, dialog, IDC_MIDI_FILE, stored);
                return TRUE;
            }
            EndDialog(dialog, IDOK);
            state->transport->computeSongLength();
            return TRUE;
        }
        case IDCANCEL:
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        default:
            return FALSE;
    }
}

INT_PTR CALLBACK midiProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    return guardedDialog(dialogState(dialog, message, lParam),
                         [&] { return midiMessage(dialog, message, wParam, lParam); });
}

// ---- Help ----

std::string helpText(HINSTANCE instance, int topic) {
    HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(topic), RT_RCDATA);
    if (found == nullptr)
        return {};
    const auto* bytes = static_cast<const char*>(LockResource(LoadResource(instance, found)));
    const std::string raw(bytes, SizeofResource(instance, found));
    std::string text;  // the edit control breaks lines only at CR LF
    for (char c : raw) {
        if (c == '\r')
            continue;
        if (c == '\n')
            text += '\r';
        text += c;
    }
    return text;
}

INT_PTR helpMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        return TRUE;
    }
    if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
        auto* state = reinterpret_cast<RecorderState*>(GetWindowLongPtrA(dialog, DWLP_USER));
        if (state != nullptr)
            state->help = nullptr;
        DestroyWindow(dialog);
        return TRUE;
    }
    return FALSE;
}

INT_PTR CALLBACK helpProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    return guardedDialog(dialogState(dialog, message, lParam),
                         [&] { return helpMessage(dialog, message, wParam, lParam); });
}

}  // namespace

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

void renderSong(RecorderState& state) {
    RenderDialog render(state);
    state.dialogs.modalDialog(state.main, IDD_RENDER, renderProc,
                              reinterpret_cast<LPARAM>(&render));
}

void preferencesDialog(RecorderState& state) {
    state.dialogs.modalDialog(state.main, IDD_PREFERENCES, preferencesProc,
                              reinterpret_cast<LPARAM>(&state));
}

void midiDialog(RecorderState& state) {
    state.dialogs.modalDialog(state.main, IDD_MIDI, midiProc, reinterpret_cast<LPARAM>(&state));
}

void showHelp(RecorderState& state, int topic) {
    if (state.help == nullptr) {
        state.help = CreateDialogParamA(state.instance, MAKEINTRESOURCEA(IDD_HELP), state.main,
                                        helpProc, reinterpret_cast<LPARAM>(&state));
    }
    SetDlgItemTextA(state.help, IDC_HELP_TEXT, helpText(state.instance, topic).c_str());
    ShowWindow(state.help, SW_SHOW);
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
