// The dialogs that change settings: Preferences and MIDI Synchronization. A
// refused field keeps its dialog open.
#include "recorder_window_win32.h"

#include "midi_dialog.h"
#include "preferences_form.h"
#include "resource.h"

namespace brevant {
namespace {

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

}  // namespace

void preferencesDialog(RecorderState& state) {
    state.dialogs.modalDialog(state.main, IDD_PREFERENCES, preferencesProc,
                              reinterpret_cast<LPARAM>(&state));
}

void midiDialog(RecorderState& state) {
    state.dialogs.modalDialog(state.main, IDD_MIDI, midiProc, reinterpret_cast<LPARAM>(&state));
}

}  // namespace brevant
