// The help window: the program's own help texts, built in, in a modeless
// dialog of its own.
#include "recorder_window_win32.h"

#include "resource.h"

namespace brevant {
namespace {

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

void showHelp(RecorderState& state, int topic) {
    if (state.help == nullptr) {
        state.help = CreateDialogParamA(state.instance, MAKEINTRESOURCEA(IDD_HELP), state.main,
                                        helpProc, reinterpret_cast<LPARAM>(&state));
    }
    SetDlgItemTextA(state.help, IDC_HELP_TEXT, helpText(state.instance, topic).c_str());
    ShowWindow(state.help, SW_SHOW);
}

}  // namespace brevant
