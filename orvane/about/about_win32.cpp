// About.DLL: Orvane Manager's splash screen and about box. Three exports, no arguments.
#include <windows.h>

#include <string>

#ifndef TOOLKIT_VERSION
#define TOOLKIT_VERSION "0"
#endif

namespace {

constexpr const char* kSplashClass = "OrvaneAboutSplash";
constexpr const char* kProgramName = "Orvane Manager";
constexpr int kWidth = 320;
constexpr int kHeight = 180;

HINSTANCE g_module = nullptr;
HWND g_splash = nullptr;

std::string VersionLine() {
    return std::string("Version ") + TOOLKIT_VERSION + " (1.0 Beta2)";
}

// The picture: a record on a blue field, and the program's name and version beside it.
void PaintPicture(HDC dc, const RECT& area) {
    HBRUSH field = CreateSolidBrush(RGB(20, 50, 120));
    FillRect(dc, &area, field);
    DeleteObject(field);
    const int cx = area.left + 80;
    const int cy = (area.top + area.bottom) / 2;
    HBRUSH vinyl = CreateSolidBrush(RGB(15, 15, 15));
    HGDIOBJ old = SelectObject(dc, vinyl);
    Ellipse(dc, cx - 55, cy - 55, cx + 55, cy + 55);
    HBRUSH label = CreateSolidBrush(RGB(230, 180, 30));
    SelectObject(dc, label);
    Ellipse(dc, cx - 18, cy - 18, cx + 18, cy + 18);
    SelectObject(dc, GetStockObject(WHITE_BRUSH));
    Ellipse(dc, cx - 3, cy - 3, cx + 3, cy + 3);
    SelectObject(dc, old);
    DeleteObject(vinyl);
    DeleteObject(label);

    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    HFONT big = CreateFontA(26, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
    HGDIOBJ oldFont = SelectObject(dc, big);
    TextOutA(dc, area.left + 150, cy - 40, kProgramName,
             static_cast<int>(std::string(kProgramName).size()));
    HFONT small = CreateFontA(15, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
    SelectObject(dc, small);
    const std::string version = VersionLine();
    TextOutA(dc, area.left + 150, cy, version.c_str(), static_cast<int>(version.size()));
    TextOutA(dc, area.left + 150, cy + 20, "Song library manager", 20);
    SelectObject(dc, oldFont);
    DeleteObject(big);
    DeleteObject(small);
}

LRESULT CALLBACK SplashProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        RECT area;
        GetClientRect(window, &area);
        PaintPicture(dc, area);
        EndPaint(window, &paint);
        return 0;
    }
    if (message == WM_LBUTTONUP && GetWindowLongPtrA(window, GWLP_USERDATA) != 0) {
        DestroyWindow(window);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND MakePictureWindow(HWND owner, DWORD exStyle, DWORD style, const char* title) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = SplashProc;
    windowClass.hInstance = g_module;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kSplashClass;
    RegisterClassA(&windowClass);
    RECT frame{0, 0, kWidth, kHeight};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    const int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    return CreateWindowExA(exStyle, kSplashClass, title, style, x, y, width, height, owner, nullptr,
                           g_module, nullptr);
}

}  // namespace

extern "C" {

__declspec(dllexport) void WINAPI ShowSplashScreen() {
    if (g_splash != nullptr)
        return;
    g_splash =
        MakePictureWindow(nullptr, WS_EX_TOOLWINDOW | WS_EX_TOPMOST, WS_POPUP | WS_BORDER, "");
    ShowWindow(g_splash, SW_SHOWNOACTIVATE);
    UpdateWindow(g_splash);
}

__declspec(dllexport) void WINAPI DropSplashScreen() {
    if (g_splash != nullptr)
        DestroyWindow(g_splash);
    g_splash = nullptr;
}

// Modal over the active window until closed with its close box or a click on the picture.
__declspec(dllexport) void WINAPI ShowAboutBox() {
    HWND owner = GetActiveWindow();
    HWND box = MakePictureWindow(owner, WS_EX_DLGMODALFRAME, WS_POPUP | WS_CAPTION | WS_SYSMENU,
                                 "About Orvane Manager");
    if (box == nullptr)
        return;
    SetWindowLongPtrA(box, GWLP_USERDATA, 1);
    if (owner != nullptr)
        EnableWindow(owner, FALSE);
    ShowWindow(box, SW_SHOW);
    MSG message;
    while (IsWindow(box)) {
        const BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == 0) {
            // The quit belongs to the program's own loop: it is posted again for it.
            PostQuitMessage(static_cast<int>(message.wParam));
            DestroyWindow(box);
            break;
        }
        if (got < 0)
            break;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    if (owner != nullptr) {
        EnableWindow(owner, TRUE);
        SetActiveWindow(owner);
    }
}

}  // extern "C"

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH)
        g_module = module;
    if (reason == DLL_PROCESS_DETACH && g_splash != nullptr)
        DestroyWindow(g_splash);
    return TRUE;
}
