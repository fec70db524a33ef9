// The widgets' Win32 halves against the Wine prefix: the INI file, the registry, a second
// process and the notification area.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "registry_settings_store.h"
#include "tool_bar_state.h"
#include "tray_icon_rules.h"
#include "widgets_win32.h"

namespace orvane {
namespace {

HWND MakeWindow(int x, int y, int width, int height, bool show = true) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "OrvaneWidgetsTestWindow";
    RegisterClassA(&wc);
    HWND window = CreateWindowExA(0, wc.lpszClassName, "test", WS_OVERLAPPEDWINDOW, x, y, width,
                                  height, nullptr, nullptr, wc.hInstance, nullptr);
    if (show)
        ShowWindow(window, SW_SHOWNORMAL);
    return window;
}

// Runs a program and pumps messages meanwhile, since it may show our windows.
DWORD RunAndPump(std::string commandLine) {
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return 99;
    }
    while (MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, 30000, QS_ALLINPUT) ==
           WAIT_OBJECT_0 + 1) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    }
    DWORD status = 98;
    GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return status;
}

// Each run saves at its close and restores into a new window that starts hidden, as the
// program's does, once that window shows.
struct PlacementCase {
    const char* name;
    RECT bounds;  // the first run's normal rectangle
    int show;     // the first run's state at its close
    bool maximised;
    bool keptAsSaved;  // the normal rectangle comes back as it was
};

TEST(WindowPlacementStoreTest, TheNextRunGetsTheNormalRectangleAndTheState) {
    const PlacementCase cases[] = {
        {"maximised", {30, 40, 530, 340}, SW_MAXIMIZE, true, true},
        {"minimised", {50, 60, 450, 360}, SW_MINIMIZE, false, true},
        {"normal", {70, 20, 570, 420}, SW_SHOWNORMAL, false, true},
        {"off every monitor", {-9000, -9000, -8500, -8600}, SW_SHOWNORMAL, false, false},
    };
    const WindowPlacementStore store("OrvaneWidgetsTest.ini");
    for (const PlacementCase& c : cases) {
        SCOPED_TRACE(c.name);
        DeleteFileA(store.FileName().c_str());
        HWND first = MakeWindow(0, 0, 200, 100);
        SetWindowPos(first, nullptr, c.bounds.left, c.bounds.top, c.bounds.right - c.bounds.left,
                     c.bounds.bottom - c.bounds.top, SWP_NOZORDER);
        ShowWindow(first, c.show);
        store.Save(first);
        DestroyWindow(first);

        HWND second = MakeWindow(0, 0, 200, 100, false);
        store.Restore(second);
        ShowWindow(second, SW_SHOW);
        store.Restore(second);
        EXPECT_EQ(IsZoomed(second) != FALSE, c.maximised);
        EXPECT_FALSE(IsIconic(second));
        ShowWindow(second, SW_RESTORE);
        RECT now{};
        GetWindowRect(second, &now);
        if (c.keptAsSaved) {
            EXPECT_TRUE(EqualRect(&now, &c.bounds))
                << now.left << "," << now.top << " " << now.right << "," << now.bottom;
        } else {
            EXPECT_NE(MonitorFromRect(&now, MONITOR_DEFAULTTONULL), nullptr);
            EXPECT_EQ(now.right - now.left, c.bounds.right - c.bounds.left);
        }
        DestroyWindow(second);
    }
    DeleteFileA(store.FileName().c_str());
}

TEST(ToolBarStateTest, TheSectionRoundTripsThroughTheRegistryAcrossRuns) {
    const std::string key = "Software\\Brindle\\Orvane Widgets Test";
    const TToolBarState floating{false, TToolBarAlign::Top, 0, 0, 640, 28, 120, 300};
    {
        RegistrySettingsStore firstRun(key);
        WriteToolBarState(firstRun, floating);
        WriteFloatingPosition(firstRun, floating.floatTop, floating.floatLeft);
    }
    RegistrySettingsStore secondRun(key);
    EXPECT_EQ(ReadToolBarState(secondRun, TToolBarState{}), floating);
    RegDeleteTreeA(HKEY_CURRENT_USER, key.c_str());
}

TEST(SingleInstanceGuardTest, ASecondProcessRestoresTheFirstAndIsToldToEnd) {
    const std::string suffix = std::to_string(GetCurrentProcessId());
    const std::string name = "OrvaneTestSemaphore" + suffix;
    const std::string title = "Orvane Test " + suffix;
    const std::string probe = std::string("Z:") + INSTANCE_PROBE;
    HWND application =
        SingleInstanceGuard::CreateApplicationWindow(GetModuleHandleA(nullptr), title);
    HWND main = MakeWindow(10, 10, 300, 200);
    ShowWindow(main, SW_MINIMIZE);
    SingleInstanceGuard::SetMainWindow(application, main);
    {
        SingleInstanceGuard guard;
        ASSERT_TRUE(guard.Check(application, name));
        EXPECT_EQ(RunAndPump("\"" + probe + "\" " + name + " \"" + title + "\""), 1u);
        EXPECT_FALSE(IsIconic(main)) << "the first copy's main window is restored";
    }
    EXPECT_EQ(RunAndPump("\"" + probe + "\" " + name + " \"" + title + "\""), 0u)
        << "the name goes with the first copy";
    DestroyWindow(main);
    DestroyWindow(application);
}

TEST(TrayIconTest, AddModifyDeleteAndTheDoubleClick) {
    int restored = 0;
    {
        TrayIcon tray(GetModuleHandleA(nullptr), LoadIconA(nullptr, IDI_APPLICATION));
        tray.onDblClick = [&] { ++restored; };
        tray.SetActive(true);
        EXPECT_TRUE(tray.LastCallSucceeded()) << "add";
        tray.SetToolTip(std::string(70, 't'));
        EXPECT_TRUE(tray.LastCallSucceeded()) << "modify";
        EXPECT_EQ(tray.ToolTip(), std::string(62, 't'));
        SendMessageA(tray.MessageWindow(), kTrayCallbackMessage, 0, WM_LBUTTONDBLCLK);
        SendMessageA(tray.MessageWindow(), kTrayCallbackMessage, 0, WM_MOUSEMOVE);
        tray.SetActive(false);
        EXPECT_TRUE(tray.LastCallSucceeded()) << "delete";
    }
    EXPECT_EQ(restored, 1);
}

}  // namespace
}  // namespace orvane
