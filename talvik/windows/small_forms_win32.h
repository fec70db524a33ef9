// The splitter's three small windows, created hidden at start and owned by the main
// window: TForm2 (about), TForm3 (track grab, "Morvel1.0") and TForm4 (warning).
#pragma once

#include <windows.h>

#include <string>

#include "form_controls_win32.h"
#include "talvik_host_win32.h"

namespace talvik {

inline constexpr const char* kAboutClassName = "TalvikForm2";
inline constexpr const char* kGrabClassName = "TalvikForm3";
inline constexpr const char* kWarningClassName = "TalvikForm4";

inline constexpr int kMessageFontHeight = 21;

struct SmallFonts {
    HFONT form = nullptr;     // "MS Sans Serif" 11
    HFONT logo = nullptr;     // "Mistral" 16
    HFONT panel = nullptr;    // "Times New Roman" 16
    HFONT message = nullptr;  // "Times New Roman" 21
    HFONT button = nullptr;   // "Times New Roman" 19
    HFONT small = nullptr;    // "Small Fonts" 7
};

struct GrabFormState {
    GrabFormState(TalvikHost& h, HWND warningForm, const SmallFonts& f)
        : host(h), warning(warningForm), fonts(f) {}
    TalvikHost& host;
    HWND warning;
    const SmallFonts& fonts;
    HWND form = nullptr;
    DirectoryPicker target;
    std::string optionWord;  // put together at each "Read tracks", then not used
    bool ready = false;
};

bool registerSmallFormClasses(HINSTANCE instance);
HWND createAboutForm(HINSTANCE instance, HWND owner, const SmallFonts& fonts);
// The state must outlive the window; the caller owns it.
HWND createGrabForm(HINSTANCE instance, HWND owner, GrabFormState& state);
HWND createWarningForm(HINSTANCE instance, HWND owner, const SmallFonts& fonts);

// Shows a small window without making it modal.
void showSmallForm(HWND form);
// Shows the message in the warning window without making it modal.
void showWarning(HWND warning, const std::string& text);
GrabFormState* grabState(HWND grabForm);

}  // namespace talvik
