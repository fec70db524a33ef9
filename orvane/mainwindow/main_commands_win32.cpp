#include "main_commands_win32.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <utility>

#include "column_widths.h"
#include "command_helpers_win32.h"
#include "command_table.h"
#include "current_set.h"
#include "file_association.h"
#include "list_labels.h"
#include "lyrics_extension_list.h"
#include "play_commands.h"
#include "play_list.h"
#include "resource.h"
#include "set_registry.h"
#include "setting_access.h"
#include "song_list_play_access.h"
#include "tool_bar_dock_win32.h"

namespace orvane {
namespace {

void ApplyLyricsFont(HWND memo, const LOGFONTA& font) {
    HFONT created = CreateFontIndirectA(&font);
    auto* form = MainFormState(GetParent(memo));
    if (form != nullptr) {
        if (form->lyricsFont != nullptr)
            DeleteObject(form->lyricsFont);
        form->lyricsFont = created;
    }
    SendMessageA(memo, WM_SETFONT, reinterpret_cast<WPARAM>(created), TRUE);
}

void ChooseLyricsFont(TMainForm& form) {
    LOGFONTA font{};
    HFONT current = reinterpret_cast<HFONT>(SendMessageA(form.lyricsMemo, WM_GETFONT, 0, 0));
    GetObjectA(current != nullptr ? current : GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    form.dialogs.PickFont(form.window, font, ApplyLyricsFont, form.lyricsMemo);
}

void AskButtonSize(TMainForm& form) {
    const LRESULT size = SendMessageA(form.toolBar, TB_GETBUTTONSIZE, 0, 0);
    const std::optional<std::string> answer =
        form.dialogs.Input(form.window, kButtonSizePrompt, std::to_string(LOWORD(size)));
    if (!answer)
        return;
    if (const std::optional<int> chosen = ButtonSizeAnswer(*answer)) {
        form.buttonSize = *chosen;
        for (HWND bar : {form.toolBar, form.toolPanel}) {
            SendMessageA(bar, TB_SETBUTTONSIZE, 0, MAKELPARAM(*chosen, *chosen));
        }
        LayOut(form);
    }
}

void HideForm(TMainForm& form) {
    WriteSetting(form.store, setting::AppHide, true);
    DockToolBar(form);
    form.hidden = true;
    ShowWindow(form.window, SW_HIDE);
}

void RestoreForm(TMainForm& form) {
    if (IsWindowVisible(form.window)) {
        // A maximised window stays maximised: Restore only brings it up.
        if (IsIconic(form.window))
            ShowWindow(form.window, SW_RESTORE);
    } else {
        form.hidden = false;
        ShowWindow(form.window, SW_SHOW);
    }
    SetForegroundWindow(form.window);
}

void About(TMainForm& form) {
    // From the program's own folder only: a library of that name elsewhere is not ours.
    HMODULE library =
        LoadLibraryA((form.params.programFolder + "\\" + std::string(kAboutDllName)).c_str());
    if (library == nullptr) {
        form.dialogs.Message(form.window, kAboutDllMissingText, MB_OK);
        return;
    }
    auto show = reinterpret_cast<void(WINAPI*)()>(
        reinterpret_cast<void*>(GetProcAddress(library, "ShowAboutBox")));
    if (show != nullptr) {
        ModalScope scope(form);
        show();
    }
    FreeLibrary(library);
}

}  // namespace

void FormCreateModel(TMainForm& form) {
    form.playListFile = KeptFolder(form) + "\\" + std::string(kPlayListFileName);
    form.lyricsExtensions = LoadOptions(form.store, kDefaultSection).lyricsExtensions;
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    form.player = std::make_unique<PlayerController>(
        *form.params.playerWindow, *form.params.playerShell, *form.params.screenSaver,
        form.playListFile, [&form](std::string_view text, TMessageIcon icon) {
            form.dialogs.Message(form.window, text, MB_OK | IconFlags(icon));
        });

    RECT client;
    GetClientRect(form.window, &client);
    RECT status;
    GetWindowRect(form.statusBar, &status);
    form.panels =
        LoadPanelSizes(form.store, client.right, client.bottom, status.bottom - status.top);
    form.view = LoadViewSettings(form.store);
    form.list.SetSortState(SortStateOf(form.view));
    SendMessageA(form.tabSet, TCM_SETCURSEL, static_cast<WPARAM>(form.view.tabSetIndex), 0);
    form.player->ApplyViewSettings(form.view.playerVisible, form.view.playerTopmost);
    ApplyPlayerCommands(form);

    form.currentSetName = ReadCurrentSetName(form.store);
    form.active = TActiveControl::SongList;
    form.setNotice = LoadSet(form);
    if (!ChangeFolder(form, form.view.recentDirectory))
        ChangeFolder(form, form.params.programFolder);

    ApplyOptions(form);
    ApplyTagCommands(form);
    ReadToolBarPlacement(form);
    if (form.params.trayIcon) {
        HINSTANCE instance = GetModuleHandleA(nullptr);
        form.tray = std::make_unique<TrayIcon>(
            instance, static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_ORVANE),
                                                    IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                    GetSystemMetrics(SM_CYSMICON), 0)));
        form.tray->SetPopupMenu(GetSubMenu(form.trayMenu, 0), form.window);
        form.tray->onDblClick = [&form] { MainCommand(form, IDM_RESTORE); };
        form.tray->SetToolTip(MainWindowCaption(form.currentSetName));
        form.tray->SetActive(true);
    }
    LayOut(form);
    RefreshSongInfo(form);
}

void FormCreateFinish(TMainForm& form) {
    // Run once the window shows, so the questions it may ask stand over it.
    if (!form.params.keptNotice.empty())
        form.dialogs.Message(form.window, std::exchange(form.params.keptNotice, {}),
                             MB_OK | MB_ICONINFORMATION);
    ShowSetNotice(form, std::exchange(form.setNotice, {}));
    CheckAssociations(form);
    const TOptions options = LoadOptions(form.store, kDefaultSection);
    form.player->Start(options.autoLaunchWinPlay3);
    ApplyPlayerCommands(form);
    if (options.autoSet && form.list.Count() > 0)
        PlayCommand(form, IDM_PLAYLIST);
}

void FormShow(TMainForm& form) {
    // The placement is put back at every show, as the last run left it, once the window is
    // visible: a hidden window takes the bounds but not the state.
    if (form.params.placement != nullptr)
        PostMessageA(form.window, kApplyPlacementMessage, 0, 0);
    WriteSetting(form.store, setting::AppHide, false);
    form.hidden = false;
    form.list.UpdateListCommands();
    PushSongList(form);
    ShowFloatingToolBar(form);
}

void FormClose(TMainForm& form, bool endOfSession) {
    // Closing goes on past a failed save, so the user is never kept in; each failure is shown,
    // except at the end of the session, which no box may hold up.
    const auto step = [&form, endOfSession](auto&& action) {
        try {
            action();
        } catch (const std::exception& error) {
            if (!endOfSession)
                form.dialogs.Message(form.window, error.what(), MB_OK | MB_ICONERROR);
        }
    };
    // A pending tag edit is asked about as when leaving its song; the end of the session
    // asks nothing and keeps it only under "AutoSaveTag".
    step([&form, endOfSession] {
        if (!endOfSession) {
            SaveTagIfChanged(form, false);
        } else if (form.tag.SaveDecision(false, ReadSetting(form.store, setting::AutoSaveTag)) ==
                   TSaveDecision::Write) {
            form.tag.WriteTags();  // a failure is said by no box now
        }
    });
    step([&form] { SaveSet(form); });
    if (form.params.placement != nullptr) {
        step([&form] { form.params.placement->Save(form.window); });
    }
    step([&form] { SavePanelSizes(form.store, form.panels); });
    step([&form] {
        StoreSortState(form.view, form.list.SortState());
        form.view.tabSetIndex = static_cast<int>(SendMessageA(form.tabSet, TCM_GETCURSEL, 0, 0));
        form.view.playerVisible = form.player->Commands().visibleDown;
        form.view.playerTopmost = form.player->Commands().topMostDown;
        form.view.recentDirectory = form.currentFolder;
        SaveViewSettings(form.store, form.view);
    });
}

void FormApplyPlacement(TMainForm& form) {
    if (form.params.placement == nullptr || form.restoringPlacement ||
        !IsWindowVisible(form.window))
        return;
    form.restoringPlacement = true;
    form.params.placement->Restore(form.window);
    form.restoringPlacement = false;
}

void FormEndSession(TMainForm& form) {
    // Logoff or shutdown: what closing and the end of the window keep is written, nothing is
    // asked.
    FormClose(form, true);
    try {
        WriteToolBarPlacement(form);
    } catch (const std::exception&) {
    }
    form.sessionEnded = true;
}

void FormDestroy(TMainForm& form) {
    // The quit message below must follow whatever happens to the settings.
    try {
        WriteToolBarPlacement(form);
    } catch (const std::exception& error) {
        if (!form.sessionEnded)
            form.dialogs.Message(nullptr, error.what(), MB_OK | MB_ICONERROR);
    }
    form.tray.reset();
    KillTimer(form.window, 1);
    form.player->Finish(ReadSetting(form.store, setting::AutoCloseWinPlay3));
    for (HIMAGELIST images : {form.toolBarImages, form.toolPanelImages}) ImageList_Destroy(images);
    if (form.lyricsFont != nullptr)
        DeleteObject(form.lyricsFont);
    if (form.dragCursor != nullptr)
        DestroyCursor(form.dragCursor);
    DestroyMenu(form.listMenu);
    DestroyMenu(form.trayMenu);
}

// The commands that act on the window itself.
bool ViewCommand(TMainForm& form, int id) {
    switch (id) {
        case IDM_RESET: {
            RECT client;
            GetClientRect(form.window, &client);
            RECT status;
            GetWindowRect(form.statusBar, &status);
            form.panels =
                DefaultPanelSizes(client.right, client.bottom, status.bottom - status.top);
            SavePanelSizes(form.store, form.panels);
            LayOut(form);
            break;
        }
        case IDM_LYRICSFONT:
            ChooseLyricsFont(form);
            break;
        case IDM_BUTTONSIZE:
            AskButtonSize(form);
            break;
        case IDM_HIDE:
            HideForm(form);
            break;
        case IDM_RESTORE:
            RestoreForm(form);
            break;
        case IDM_EXIT:
            form.closeBoxHit = false;
            PostMessageA(form.window, WM_CLOSE, 0, 0);
            break;
        case IDM_ABOUT:
            About(form);
            break;
        default:
            return false;
    }
    return true;
}

void MainCommand(TMainForm& form, int id) {
    // The tray's menu and icon stay usable while a box is up: they only bring it forward.
    if (form.modalDepth > 0) {
        BringModalForward(form);
        return;
    }
    if (PlayerCommand(form, id) || SongListCommand(form, id) || TagCommand(form, id) ||
        SetCommand(form, id) || ViewCommand(form, id)) {
        ApplyPlayerCommands(form);
    }
}

}  // namespace orvane
