#include "small_forms_win32.h"

#include <exception>

#include "resource.h"

namespace talvik {

namespace {

constexpr DWORD kSmallFormStyle = WS_POPUP | WS_CAPTION;  // no border icons

HWND createSmallForm(HINSTANCE instance, HWND owner, const char* className, const char* caption,
                     int width, int height, void* state) {
    // Made in its place rather than moved there while hidden.
    const RECT frame = centredFrame(kSmallFormStyle, WS_EX_DLGMODALFRAME, width, height);
    return CreateWindowExA(WS_EX_DLGMODALFRAME, className, caption, kSmallFormStyle, frame.left,
                           frame.top, frame.right - frame.left, frame.bottom - frame.top, owner,
                           nullptr, instance, state);
}

// ---- TForm2: about ----

void paintAboutPicture(HWND form) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(form, &paint);
    RECT picture{8, 8, 8 + 241, 8 + 177};
    FillRect(dc, &picture, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(255, 255, 255));
    HGDIOBJ old = SelectObject(dc, pen);
    // A decaying tone between silences, the kind of sound the splitter looks for.
    MoveToEx(dc, 8, 96, nullptr);
    for (int x = 0; x < 241; ++x) {
        int y = 96;
        if (x > 40 && x < 200) {
            const int t = x - 40;
            const int amplitude = 80 - t / 2;
            y = 96 + ((t / 3) % 2 == 0 ? amplitude : -amplitude) * ((t % 3) + 1) / 3;
        }
        LineTo(dc, 8 + x, y);
    }
    SelectObject(dc, old);
    DeleteObject(pen);
    EndPaint(form, &paint);
}

// Button1Click of the about and warning windows; Enter and Escape do the same.
void hideOnDismiss(HWND form, int command, int button) {
    if (command == button || command == IDOK || command == IDCANCEL) {
        ShowWindow(form, SW_HIDE);
    }
}

LRESULT aboutCreate(HWND form, const SmallFonts& fonts) {
    addLabel(form, "TALVIK2.0", -1, 8, 192, 241, 28, fonts.logo);
    const std::string version = std::string("Sample splitter, version ") + TOOLKIT_VERSION;
    addLabel(form, version.c_str(), -1, 8, 232, 241, 16, fonts.form);
    addLabel(form, "Finds the sounds in track files by a silence trigger and saves each one.", -1,
             8, 252, 241, 32, fonts.form);
    addButton(form, "Great!", IDC_ABOUT_BUTTON1, 88, 296, 81, 25, fonts.form, BS_DEFPUSHBUTTON);
    return 0;
}

// Alt+F4 reaches these windows although they show no close box; closing hides them, as
// their buttons do, so they can be shown again.
LRESULT aboutDispatch(HWND form, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NCCREATE:
            attachState<const SmallFonts>(form, lParam);
            return DefWindowProcA(form, message, wParam, lParam);
        case WM_CREATE:
            return aboutCreate(form, *attachedState<const SmallFonts>(form));
        case WM_PAINT:
            paintAboutPicture(form);
            return 0;
        case WM_COMMAND:
            hideOnDismiss(form, LOWORD(wParam), IDC_ABOUT_BUTTON1);
            return 0;
        case WM_CLOSE:
            ShowWindow(form, SW_HIDE);
            return 0;
        default:
            return DefWindowProcA(form, message, wParam, lParam);
    }
}

LRESULT CALLBACK AboutProc(HWND form, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        return aboutDispatch(form, message, wParam, lParam);
    } catch (const std::exception&) {
        return message == WM_CREATE ? -1 : 0;  // nothing of the splitter's work is here
    }
}

constexpr const char* kFittedFontProperty = "TalvikFittedFont";

int textWidth(HWND control, HFONT font, const std::string& text) {
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return size.cx;
}

void dropFittedFont(HWND warning) {
    if (HANDLE font = RemovePropA(warning, kFittedFontProperty)) {
        DeleteObject(static_cast<HFONT>(font));
    }
}

// ---- TForm4: warning ----

LRESULT warningCreate(HWND form, const SmallFonts& fonts) {
    addControl(form, "STATIC", "", SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX, IDC_WARNING_PANEL1, 1,
               1, 257, 33, fonts.message, WS_EX_WINDOWEDGE | WS_EX_STATICEDGE);
    addButton(form, "Alright!", IDC_WARNING_BUTTON1, 264, 4, 71, 27, fonts.button,
              BS_DEFPUSHBUTTON);
    return 0;
}

LRESULT warningDispatch(HWND form, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NCCREATE:
            attachState<const SmallFonts>(form, lParam);
            return DefWindowProcA(form, message, wParam, lParam);
        case WM_CREATE:
            return warningCreate(form, *attachedState<const SmallFonts>(form));
        case WM_COMMAND:
            hideOnDismiss(form, LOWORD(wParam), IDC_WARNING_BUTTON1);
            return 0;
        case WM_CLOSE:
            ShowWindow(form, SW_HIDE);
            return 0;
        case WM_NCDESTROY:
            dropFittedFont(form);
            return DefWindowProcA(form, message, wParam, lParam);
        default:
            return DefWindowProcA(form, message, wParam, lParam);
    }
}

LRESULT CALLBACK WarningProc(HWND form, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        return warningDispatch(form, message, wParam, lParam);
    } catch (const std::exception&) {
        return message == WM_CREATE ? -1 : 0;
    }
}

// ---- TForm3: track grab ----

void checkResolution(HWND form, int chosen) {
    checkRadio(form, {IDC_GRAB_RADIOBUTTON3, IDC_GRAB_RADIOBUTTON4}, chosen);
}
void checkChannels(HWND form, int chosen) {
    checkRadio(form, {IDC_GRAB_RADIOBUTTON6, IDC_GRAB_RADIOBUTTON7}, chosen);
}
void checkRate(HWND form, int chosen) {
    checkRadio(form, {IDC_GRAB_RADIOBUTTON1, IDC_GRAB_RADIOBUTTON2, IDC_GRAB_RADIOBUTTON5}, chosen);
}

LRESULT grabCreate(GrabFormState& s) {
    HWND form = s.form;
    const SmallFonts& f = s.fonts;
    addControl(form, "STATIC", "", SS_ETCHEDFRAME, -1, 8, 8, 201, 81, nullptr);
    addLabel(form, "Starttrack", -1, 24, 22, 90, 20, f.panel);
    addSpinEdit(form, IDC_GRAB_SPINEDIT1, 120, 20, 73, 21, kTrackRange, 1, f.panel);
    addLabel(form, "Endtrack", -1, 24, 54, 90, 20, f.panel);
    addSpinEdit(form, IDC_GRAB_SPINEDIT2, 120, 52, 73, 21, kTrackRange, 1, f.panel);

    addControl(form, "STATIC", "", SS_ETCHEDFRAME, -1, 8, 96, 201, 137, nullptr);
    s.target.create(form, IDC_GRAB_DRIVECOMBOBOX1, IDC_GRAB_DIRECTORYLISTBOX1, 0, 16, 104, 185, 97,
                    0, f.form, f.small);

    addGroup(form, "Resolution", 8, 240, 97, 57, f.form);
    addRadioGroup(form,
                  {{"16-bits", IDC_GRAB_RADIOBUTTON3, 16, 256, 81, 17},
                   {"8-bits", IDC_GRAB_RADIOBUTTON4, 16, 274, 81, 17}},
                  f.form);
    addGroup(form, "Channels", 112, 240, 97, 57, f.form);
    addRadioGroup(form,
                  {{"Mono", IDC_GRAB_RADIOBUTTON6, 120, 256, 81, 17},
                   {"Stereo", IDC_GRAB_RADIOBUTTON7, 120, 274, 81, 17}},
                  f.form);
    addGroup(form, "Rate", 8, 304, 97, 73, f.form);
    addRadioGroup(form,
                  {{"44KHz", IDC_GRAB_RADIOBUTTON1, 16, 320, 81, 17},
                   {"22KHz", IDC_GRAB_RADIOBUTTON2, 16, 337, 81, 17},
                   {"11KHz", IDC_GRAB_RADIOBUTTON5, 16, 354, 81, 17}},
                  f.form);
    checkResolution(form, IDC_GRAB_RADIOBUTTON4);
    checkChannels(form, IDC_GRAB_RADIOBUTTON6);
    checkRate(form, IDC_GRAB_RADIOBUTTON2);

    // Buttons with pictures and the logo picture, drawn at WM_DRAWITEM.
    addButton(form, "Read tracks", IDC_GRAB_BITBTN1, 112, 304, 97, 25, f.form, BS_OWNERDRAW);
    addButton(form, "Back to splitter", IDC_GRAB_SPEEDBUTTON1, 112, 336, 97, 25, f.form,
              BS_OWNERDRAW);
    addControl(form, "STATIC", "Morvel1.0", SS_OWNERDRAW, IDC_GRAB_IMAGE1, 120, 360, 97, 17,
               f.logo);

    s.target.show(currentDirectory());
    s.ready = true;
    return 0;
}

// The range is corrected when a typed value is committed (the box left, Enter, an
// arrow), not in the middle of typing "12".
// ---- pictures ----

// The glyph of "Read tracks": a tape reel feeding a green arrow into the window.
void drawReadGlyph(HDC dc, int x, int y) {
    HBRUSH reel = CreateSolidBrush(RGB(0, 0, 128));
    HGDIOBJ oldBrush = SelectObject(dc, reel);
    Ellipse(dc, x, y + 2, x + 12, y + 14);
    SelectObject(dc, GetStockObject(WHITE_BRUSH));
    Ellipse(dc, x + 4, y + 6, x + 8, y + 10);
    HBRUSH arrow = CreateSolidBrush(RGB(0, 160, 0));
    SelectObject(dc, arrow);
    const POINT head[] = {{x + 12, y + 4}, {x + 18, y + 8}, {x + 12, y + 12}};
    Polygon(dc, head, 3);
    SelectObject(dc, oldBrush);
    DeleteObject(arrow);
    DeleteObject(reel);
}

// The glyph of "Back to splitter": a yellow arrow pointing back.
void drawBackGlyph(HDC dc, int x, int y) {
    HBRUSH arrow = CreateSolidBrush(RGB(224, 192, 0));
    HGDIOBJ oldBrush = SelectObject(dc, arrow);
    const POINT shape[] = {{x, y + 8},       {x + 7, y + 1},  {x + 7, y + 5}, {x + 14, y + 5},
                           {x + 14, y + 11}, {x + 7, y + 11}, {x + 7, y + 15}};
    Polygon(dc, shape, 7);
    SelectObject(dc, oldBrush);
    DeleteObject(arrow);
}

void drawPictureButton(const DRAWITEMSTRUCT& item) {
    RECT r = item.rcItem;
    const bool pushed = (item.itemState & ODS_SELECTED) != 0;
    DrawFrameControl(item.hDC, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0));
    const int shift = pushed ? 1 : 0;
    const int glyphTop = (r.bottom - r.top - 16) / 2 + shift;
    if (item.CtlID == IDC_GRAB_BITBTN1) {
        drawReadGlyph(item.hDC, r.left + 3 + shift, glyphTop);
    } else {
        drawBackGlyph(item.hDC, r.left + 3 + shift, glyphTop);
    }
    const std::string caption = windowText(item.hwndItem);
    RECT textArea{r.left + 19 + shift, r.top + shift, r.right - 1, r.bottom + shift};
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, GetSysColor((item.itemState & ODS_DISABLED) != 0 ? COLOR_GRAYTEXT
                                                                            : COLOR_BTNTEXT));
    DrawTextA(item.hDC, caption.c_str(), -1, &textArea, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if ((item.itemState & ODS_FOCUS) != 0) {
        RECT focus{r.left + 3, r.top + 3, r.right - 3, r.bottom - 3};
        DrawFocusRect(item.hDC, &focus);
    }
}

// The logo: the name in white over a trace of a sound, on black.
void drawLogo(const DRAWITEMSTRUCT& item) {
    const RECT r = item.rcItem;
    FillRect(item.hDC, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(0, 128, 255));
    HGDIOBJ oldPen = SelectObject(item.hDC, pen);
    const int middle = (r.top + r.bottom) / 2;
    MoveToEx(item.hDC, r.left, middle, nullptr);
    for (int x = r.left; x < r.right; x += 3) {
        const int amplitude = (r.bottom - r.top) / 2 - 1 - (x - r.left) / 14;
        LineTo(item.hDC, x, middle + ((x / 3) % 2 == 0 ? amplitude : -amplitude));
    }
    SelectObject(item.hDC, oldPen);
    DeleteObject(pen);
    const std::string caption = windowText(item.hwndItem);
    RECT textArea = r;
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, RGB(255, 255, 255));
    DrawTextA(item.hDC, caption.c_str(), -1, &textArea, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void drawGrabItem(const DRAWITEMSTRUCT& item) {
    if (item.CtlID == IDC_GRAB_IMAGE1) {
        drawLogo(item);
    } else {
        drawPictureButton(item);
    }
}

void SpinEdit1Change(GrabFormState& s) {
    const int start = spinValue(s.form, IDC_GRAB_SPINEDIT1, kTrackRange);
    const int end = spinValue(s.form, IDC_GRAB_SPINEDIT2, kTrackRange);
    if (CorrectedEndTrack(start, end) != end) {
        setSpinValue(s.form, IDC_GRAB_SPINEDIT2, start);
    }
}

void SpinEdit2Change(GrabFormState& s) {
    SpinEdit1Change(s);  // the same test and correction
}

void spinEditCommitted(GrabFormState& s, int id) {
    if (id != IDC_GRAB_SPINEDIT1 && id != IDC_GRAB_SPINEDIT2) {
        return;
    }
    const int value = spinValue(s.form, id, kTrackRange);
    if (windowText(GetDlgItem(s.form, id)) != std::to_string(value)) {
        setSpinValue(s.form, id, value);
    }
    if (id == IDC_GRAB_SPINEDIT1) {
        SpinEdit1Change(s);
    } else {
        SpinEdit2Change(s);
    }
}

void enterPressed(GrabFormState& s) {
    HWND focus = GetFocus();
    if (focus != nullptr && GetParent(focus) == s.form) {
        spinEditCommitted(s, GetDlgCtrlID(focus));
    }
}

void StartReader(GrabFormState& s) {
    const GrabRate rate = isChecked(s.form, IDC_GRAB_RADIOBUTTON1)   ? GrabRate::Khz44
                          : isChecked(s.form, IDC_GRAB_RADIOBUTTON5) ? GrabRate::Khz11
                                                                     : GrabRate::Khz22;
    s.optionWord = GrabOptionWord(rate, isChecked(s.form, IDC_GRAB_RADIOBUTTON7),
                                  isChecked(s.form, IDC_GRAB_RADIOBUTTON3));
    if (!s.host.startProgram(kReaderProgram, SW_SHOWNORMAL)) {
        showWarning(s.warning, kReaderNotStarted);
    }
}

void BitBtn1Click(GrabFormState& s) {
    StartReader(s);
}

void SpeedButton1Click(GrabFormState& s) {
    ShowWindow(s.form, SW_HIDE);
}

void grabCommand(GrabFormState& s, int id, int code) {
    std::string asked;
    if (s.target.directoryAsked(id, code, asked)) {
        s.target.show(asked);
        return;
    }
    if (code == EN_KILLFOCUS) {
        spinEditCommitted(s, id);
        return;
    }
    if (code != BN_CLICKED) {
        return;
    }
    switch (id) {
        case IDOK:
            enterPressed(s);
            break;
        case IDC_GRAB_RADIOBUTTON3:
        case IDC_GRAB_RADIOBUTTON4:
            checkResolution(s.form, id);
            break;
        case IDC_GRAB_RADIOBUTTON6:
        case IDC_GRAB_RADIOBUTTON7:
            checkChannels(s.form, id);
            break;
        case IDC_GRAB_RADIOBUTTON1:
        case IDC_GRAB_RADIOBUTTON2:
        case IDC_GRAB_RADIOBUTTON5:
            checkRate(s.form, id);
            break;
        case IDC_GRAB_BITBTN1:
            BitBtn1Click(s);
            break;
        case IDC_GRAB_SPEEDBUTTON1:
        case IDCANCEL:
            SpeedButton1Click(s);
            break;
        default:
            break;
    }
}

LRESULT grabDispatch(GrabFormState& s, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            return grabCreate(s);
        case WM_COMMAND:
            if (s.ready) {
                grabCommand(s, LOWORD(wParam), HIWORD(wParam));
            }
            return 0;
        case WM_VSCROLL:
            if (s.ready && lParam != 0) {
                spinEditCommitted(
                    s, GetDlgCtrlID(reinterpret_cast<HWND>(lParam)) - IDC_SPIN_UPDOWN_OFFSET);
            }
            return 0;
        case WM_CLOSE:
            SpeedButton1Click(s);  // Alt+F4 leaves it as "Back to splitter" does
            return 0;
        case WM_DRAWITEM:
            drawGrabItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        case WM_NCDESTROY:
            SetWindowLongPtrA(s.form, GWLP_USERDATA, 0);
            return 0;
        default:
            return DefWindowProcA(s.form, message, wParam, lParam);
    }
}

LRESULT CALLBACK GrabProc(HWND form, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        attachState<GrabFormState>(form, lParam)->form = form;
    }
    GrabFormState* state = grabState(form);
    if (state == nullptr) {
        return DefWindowProcA(form, message, wParam, lParam);
    }
    try {
        return grabDispatch(*state, message, wParam, lParam);
    } catch (const std::exception& e) {
        state->host.showError(form, e.what());
        return 0;
    }
}

bool registerClass(HINSTANCE instance, const char* name, WNDPROC procedure) {
    WNDCLASSA c{};
    c.lpfnWndProc = procedure;
    c.hInstance = instance;
    c.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    c.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    c.lpszClassName = name;
    return RegisterClassA(&c) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

bool registerSmallFormClasses(HINSTANCE instance) {
    return registerClass(instance, kAboutClassName, AboutProc) &&
           registerClass(instance, kGrabClassName, GrabProc) &&
           registerClass(instance, kWarningClassName, WarningProc);
}

HWND createAboutForm(HINSTANCE instance, HWND owner, const SmallFonts& fonts) {
    return createSmallForm(instance, owner, kAboutClassName, "About", 257, 335,
                           const_cast<SmallFonts*>(&fonts));
}

HWND createGrabForm(HINSTANCE instance, HWND owner, GrabFormState& state) {
    return createSmallForm(instance, owner, kGrabClassName, "Morvel1.0", 218, 382, &state);
}

HWND createWarningForm(HINSTANCE instance, HWND owner, const SmallFonts& fonts) {
    return createSmallForm(instance, owner, kWarningClassName, "Warning:", 339, 35,
                           const_cast<SmallFonts*>(&fonts));
}

void showSmallForm(HWND form) {
    ShowWindow(form, SW_SHOW);
    UpdateWindow(form);
}

void showWarning(HWND warning, const std::string& text) {
    // A message wider than the panel at the message font ("c:\\temp\\read.exe could not be
    // started.") is shown in a smaller size of the same face rather than lose its ends.
    HWND panel = GetDlgItem(warning, IDC_WARNING_PANEL1);
    const SmallFonts* fonts = attachedState<const SmallFonts>(warning);
    if (panel != nullptr && fonts != nullptr) {
        RECT inside;
        GetClientRect(panel, &inside);
        const int room = inside.right - 4;
        HFONT font = fonts->message;
        HFONT fitted = nullptr;
        for (int height = kMessageFontHeight - 1;
             height >= 8 && textWidth(panel, fitted ? fitted : font, text) > room; --height) {
            if (fitted != nullptr) {
                DeleteObject(fitted);
            }
            fitted = makeFont("Times New Roman", height);
        }
        SendMessageA(panel, WM_SETFONT, reinterpret_cast<WPARAM>(fitted ? fitted : font), FALSE);
        dropFittedFont(warning);
        if (fitted != nullptr) {
            SetPropA(warning, kFittedFontProperty, fitted);
        }
    }
    SetDlgItemTextA(warning, IDC_WARNING_PANEL1, text.c_str());
    showSmallForm(warning);
}

GrabFormState* grabState(HWND grabForm) {
    return attachedState<GrabFormState>(grabForm);
}

}  // namespace talvik
