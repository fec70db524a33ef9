#include "talvik_app_win32.h"

#include <commctrl.h>

namespace talvik {

HWND startTalvik(HINSTANCE instance, SplitterFormState& state, int show) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    if (!registerSplitterClasses(instance)) {
        return nullptr;
    }
    HWND form = createSplitterForm(instance, &state);
    if (form != nullptr) {
        ShowWindow(form, show);
        UpdateWindow(form);
    }
    return form;
}

int runMessageLoop(const SplitterFormState& state) {
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        HWND root = GetAncestor(message.hwnd, GA_ROOT);
        const bool ours = root != nullptr && (root == state.form || root == state.grab ||
                                              root == state.about || root == state.warning);
        if (ours && IsDialogMessageA(root, &message)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

int runTalvik(HINSTANCE instance, int show) {
    SystemHost host;
    SplitterFormState state(host, currentDirectory());
    if (startTalvik(instance, state, show) == nullptr) {
        return -1;
    }
    return runMessageLoop(state);
}

}  // namespace talvik
