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

HWND MakeWindow(int x, int y, int width, int height) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "OrvaneWidgetsTestWindow";
    RegisterClassA(&wc);
    HWND window = CreateWindowExA(0, wc.lpszClassName, "test", WS_OVERLAPPEDWINDOW, x, y, width,
                                  height, nullptr, nullptr, wc.hInstance, nullptr);
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

TEST(WindowPlacementStoreTest, AMaximisedWindowComesBackMaximisedInTheNextRun) {
    const WindowPlacementStore firstRun("OrvaneWidgetsTest.ini");
    DeleteFileA(firstRun.FileName().c_str());
    HWND first = MakeWindow(30, 40, 500, 300);
    ShowWindow(first, SW_MAXIMIZE);
    const TWindowPlacement saved = WindowPlacementStore::Current(first);
    ASSERT_EQ(saved.state, TWindowShowState::Maximized);
    firstRun.Save(first);
    DestroyWindow(first);

    const WindowPlacementStore secondRun("OrvaneWidgetsTest.ini");
    HWND second = MakeWindow(0, 0, 200, 100);
    secondRun.Restore(second);
    EXPECT_TRUE(IsZoomed(second));
    EXPECT_EQ(WindowPlacementStore::Current(second), saved);
    DestroyWindow(second);

    DeleteFileA(firstRun.FileName().c_str());
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
