#include "main_dialogs_win32.h"

#include <commctrl.h>
#include <commdlg.h>

#include <array>

#include "desktop_association_host.h"
#include "lyrics_extension_list.h"
#include "message_icon.h"
#include "resource.h"
#include "setting_names.h"
#include "window_decisions.h"

namespace orvane {
namespace {

std::string ItemText(HWND dialog, int id) {
    char text[512] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

void CenterOver(HWND dialog) {
    HWND owner = GetWindow(dialog, GW_OWNER);
    RECT outer;
    RECT inner;
    if (owner == nullptr || !GetWindowRect(owner, &outer))
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &outer, 0);
    GetWindowRect(dialog, &inner);
    const int x = outer.left + ((outer.right - outer.left) - (inner.right - inner.left)) / 2;
    const int y = outer.top + ((outer.bottom - outer.top) - (inner.bottom - inner.top)) / 2;
    SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

// ---- input box ----

struct InputState {
    std::string prompt;
    std::string answer;
};

INT_PTR CALLBACK InputProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<InputState*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (state == nullptr && message != WM_INITDIALOG)
        return FALSE;
    switch (message) {
        case WM_INITDIALOG:
            SetWindowLongPtrA(dialog, DWLP_USER, lParam);
            state = reinterpret_cast<InputState*>(lParam);
            SetWindowTextA(dialog, std::string(kApplicationTitle).c_str());
            SetDlgItemTextA(dialog, IDC_INPUTPROMPT, state->prompt.c_str());
            SetDlgItemTextA(dialog, IDC_INPUTEDIT, state->answer.c_str());
            CenterOver(dialog);
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK)
                state->answer = ItemText(dialog, IDC_INPUTEDIT);
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)
                EndDialog(dialog, LOWORD(wParam));
            return TRUE;
        default:
            return FALSE;
    }
}

// ---- Properties ----

struct PropertiesState {
    MainDialogs* dialogs;
    std::string caption;
    TOptions options;
    TLyricsExtensionList extensions;
};

struct CheckOption {
    int id;
    bool TOptions::*field;
};

constexpr std::array<CheckOption, 13> kCheckOptions = {{
    {IDC_AUTOHIDE, &TOptions::autoHide},
    {IDC_AUTOSET, &TOptions::autoSet},
    {IDC_DONTSPLASH, &TOptions::dontSplashScreen},
    {IDC_AUTOLAUNCH, &TOptions::autoLaunchWinPlay3},
    {IDC_ALLOWDUP, &TOptions::allowDuplicated},
    {IDC_DONTSHOWHINT, &TOptions::dontShowHint},
    {IDC_LOCKTOOLBAR, &TOptions::lockToolBar},
    {IDC_SAVERSTOP, &TOptions::saverStop},
    {IDC_MAINTAINPANEL, &TOptions::mainTainPanelRatio},
    {IDC_SHOWUSEDICON, &TOptions::showUsedIcon},
    {IDC_AUTOCLOSE, &TOptions::autoCloseWinPlay3},
    {IDC_AUTOMIN, &TOptions::autoMinimize},
    {IDC_AUTOSAVETAG, &TOptions::autoSaveTag},
}};

// The controls of each page, shown while its tab is selected.
constexpr int kPreferencePage[] = {
    IDC_GROUP_LYRICS, IDC_LYRICSEXT,         IDC_EXTADD,         IDC_EXTDELETE,   IDC_EXTEDIT,
    IDC_EXTUP,        IDC_EXTDOWN,           IDC_GROUP_SEQUENCE, IDC_SEQ_TOPDOWN, IDC_SEQ_DOWNTOP,
    IDC_SEQ_RANDOM,   IDC_GROUP_DOUBLECLICK, IDC_DBL_ADDREMOVE,  IDC_DBL_PLAY,    IDC_DBL_PLAYHERE};
constexpr int kStartupPage[] = {IDC_GROUP_STARTUP, IDC_AUTOHIDE, IDC_AUTOSET, IDC_DONTSPLASH,
                                IDC_AUTOLAUNCH};
constexpr int kSwitchesPage[] = {
    IDC_GROUP_SWITCHES, IDC_ALLOWDUP,     IDC_DONTSHOWHINT, IDC_LOCKTOOLBAR, IDC_SAVERSTOP,
    IDC_MAINTAINPANEL,  IDC_SHOWUSEDICON, IDC_AUTOCLOSE,    IDC_AUTOMIN,     IDC_AUTOSAVETAG};

void ShowPage(HWND dialog, int page) {
    const auto show = [dialog](const auto& ids, bool visible) {
        for (int id : ids) ShowWindow(GetDlgItem(dialog, id), visible ? SW_SHOW : SW_HIDE);
    };
    show(kPreferencePage, page == 0);
    show(kStartupPage, page == 1);
    show(kSwitchesPage, page == 2);
}

void FillExtensions(HWND dialog, const TLyricsExtensionList& list) {
    HWND box = GetDlgItem(dialog, IDC_LYRICSEXT);
    SendMessageA(box, LB_RESETCONTENT, 0, 0);
    for (const std::string& entry : list.Entries()) {
        SendMessageA(box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    }
    SendMessageA(box, LB_SETCURSEL, static_cast<WPARAM>(list.Selected()), 0);
}

void PropertiesInit(HWND dialog, PropertiesState& state) {
    SetWindowTextA(dialog, state.caption.c_str());
    HWND tabs = GetDlgItem(dialog, IDC_PAGECONTROL);
    // The pages lie on the tab control: it stays beneath them and draws around them.
    SetWindowPos(tabs, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    const char* pages[3] = {"Preference", "Startup", "Switches"};
    for (int i = 0; i < 3; ++i) {
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(pages[i]);
        SendMessageA(tabs, TCM_INSERTITEMA, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(&item));
    }
    SendMessageA(tabs, TCM_SETCURSEL, static_cast<WPARAM>(state.options.pageIndex), 0);
    ShowPage(dialog, state.options.pageIndex);
    for (const CheckOption& check : kCheckOptions) {
        CheckDlgButton(dialog, check.id, state.options.*check.field ? BST_CHECKED : BST_UNCHECKED);
    }
    CheckRadioButton(dialog, IDC_SEQ_TOPDOWN, IDC_SEQ_RANDOM,
                     IDC_SEQ_TOPDOWN + static_cast<int>(state.options.sequence));
    CheckRadioButton(dialog, IDC_DBL_ADDREMOVE, IDC_DBL_PLAYHERE,
                     IDC_DBL_ADDREMOVE + static_cast<int>(state.options.doubleClick));
    state.extensions = TLyricsExtensionList(state.options.lyricsExtensions);
    FillExtensions(dialog, state.extensions);
    CenterOver(dialog);
}

void PropertiesRead(HWND dialog, PropertiesState& state) {
    for (const CheckOption& check : kCheckOptions) {
        state.options.*check.field = IsDlgButtonChecked(dialog, check.id) == BST_CHECKED;
    }
    for (int i = 0; i < 3; ++i) {
        if (IsDlgButtonChecked(dialog, IDC_SEQ_TOPDOWN + i))
            state.options.sequence = static_cast<TPlaySequence>(i);
        if (IsDlgButtonChecked(dialog, IDC_DBL_ADDREMOVE + i)) {
            state.options.doubleClick = static_cast<TDoubleClickAction>(i);
        }
    }
    state.options.lyricsExtensions = state.extensions.Entries();
    state.options.pageIndex =
        static_cast<int>(SendDlgItemMessageA(dialog, IDC_PAGECONTROL, TCM_GETCURSEL, 0, 0));
}

constexpr std::string_view kExtensionPrompt = "Please input new extension : ";

void PropertiesCommand(HWND dialog, PropertiesState& state, int id, int code) {
    TLyricsExtensionList& list = state.extensions;
    bool changed = false;
    switch (id) {
        case IDC_LYRICSEXT:
            if (code == LBN_SELCHANGE) {
                list.Select(static_cast<int>(
                    SendDlgItemMessageA(dialog, IDC_LYRICSEXT, LB_GETCURSEL, 0, 0)));
            }
            return;
        case IDC_EXTADD:
            if (auto answer = state.dialogs->Input(dialog, kExtensionPrompt, ""))
                changed = list.Add(*answer);
            break;
        case IDC_EXTEDIT:
            if (list.Selected() >= 0) {
                const std::string current =
                    list.Entries()[static_cast<std::size_t>(list.Selected())];
                if (auto answer = state.dialogs->Input(dialog, kExtensionPrompt, current))
                    changed = list.Edit(*answer);
            }
            break;
        case IDC_EXTDELETE:
            changed = list.Delete();
            break;
        case IDC_EXTUP:
            changed = list.Up();
            break;
        case IDC_EXTDOWN:
            changed = list.Down();
            break;
        case IDC_HELPBTN:
            state.dialogs->Message(dialog, kNotImplementedText, MB_OK | MB_ICONINFORMATION);
            return;
        case IDOK:
            PropertiesRead(dialog, state);
            EndDialog(dialog, IDOK);
            return;
        case IDCANCEL:
            EndDialog(dialog, IDCANCEL);
            return;
        default:
            return;
    }
    if (changed)
        FillExtensions(dialog, list);
}

INT_PTR CALLBACK PropertiesProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<PropertiesState*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (state == nullptr && message != WM_INITDIALOG)
        return FALSE;
    switch (message) {
        case WM_INITDIALOG:
            SetWindowLongPtrA(dialog, DWLP_USER, lParam);
            PropertiesInit(dialog, *reinterpret_cast<PropertiesState*>(lParam));
            return TRUE;
        case WM_NOTIFY:
            if (reinterpret_cast<NMHDR*>(lParam)->code == TCN_SELCHANGE) {
                ShowPage(dialog, static_cast<int>(SendDlgItemMessageA(dialog, IDC_PAGECONTROL,
                                                                      TCM_GETCURSEL, 0, 0)));
            }
            return TRUE;
        case WM_COMMAND:
            PropertiesCommand(dialog, *state, LOWORD(wParam), HIWORD(wParam));
            return TRUE;
        default:
            return FALSE;
    }
}

// ---- Set configuration ----

struct SetsState {
    MainDialogs* dialogs;
    TSetsDialogModel* model;
    SetsDialogHost* host;
};

void FillSets(HWND dialog, const TSetsDialogModel& model) {
    HWND box = GetDlgItem(dialog, IDC_SETNAMECBOX);
    SendMessageA(box, CB_RESETCONTENT, 0, 0);
    for (const TSetRecord& row : model.Rows()) {
        SendMessageA(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.name.c_str()));
    }
    SendMessageA(box, CB_SETCURSEL, static_cast<WPARAM>(model.Selected()), 0);
    SetDlgItemTextA(dialog, IDC_DESCRIPTION, model.Description().c_str());
    SetWindowTextA(dialog, model.Caption().c_str());
}

void SetsCommand(HWND dialog, SetsState& state, int id, int code) {
    TSetsDialogModel& model = *state.model;
    switch (id) {
        case IDC_SETNAMECBOX:
            if (code == CBN_SELCHANGE) {
                model.SelectionChanged(
                    static_cast<int>(SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0)));
                FillSets(dialog, model);
            }
            break;
        case IDC_SETNEW:
            if (model.New(*state.host))
                FillSets(dialog, model);
            break;
        case IDC_SETDEL:
            // Deleting removes the set's file for good: the user confirms it first.
            // "(Default)" cannot go: nothing is asked.
            if (!model.CanDelete() ||
                state.dialogs->Message(
                    dialog,
                    DeleteSetQuestion(
                        model.Rows()[static_cast<std::size_t>(model.Selected())].name),
                    MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES) {
                break;
            }
            if (model.Delete())
                FillSets(dialog, model);
            else if (!model.DeleteError().empty())
                state.dialogs->Message(dialog, model.DeleteError(), MB_OK | MB_ICONERROR);
            break;
        case IDC_HELPBTN:
            state.dialogs->Message(dialog, kNotImplementedText, MB_OK | MB_ICONINFORMATION);
            break;
        case IDOK:
        case IDCANCEL:
            EndDialog(dialog, id);
            break;
        default:
            break;
    }
}

INT_PTR CALLBACK SetsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<SetsState*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (state == nullptr && message != WM_INITDIALOG)
        return FALSE;
    switch (message) {
        case WM_INITDIALOG:
            SetWindowLongPtrA(dialog, DWLP_USER, lParam);
            FillSets(dialog, *reinterpret_cast<SetsState*>(lParam)->model);
            CenterOver(dialog);
            return TRUE;
        case WM_COMMAND:
            SetsCommand(dialog, *state, LOWORD(wParam), HIWORD(wParam));
            return TRUE;
        default:
            return FALSE;
    }
}

INT_PTR CALLBACK NewSetProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* record = reinterpret_cast<TSetRecord*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (record == nullptr && message != WM_INITDIALOG)
        return FALSE;
    switch (message) {
        case WM_INITDIALOG:
            SetWindowLongPtrA(dialog, DWLP_USER, lParam);
            SetWindowTextA(dialog, NewSetCaption().c_str());
            SendDlgItemMessageA(dialog, IDC_NAMEEDIT, EM_LIMITTEXT, 200, 0);
            CenterOver(dialog);
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK) {
                record->name = ItemText(dialog, IDC_NAMEEDIT);
                record->description = ItemText(dialog, IDC_DESCRIPTIONEDIT);
                // OK with an empty name counts as Cancel.
                EndDialog(dialog, record->name.empty() ? IDCANCEL : IDOK);
            } else if (LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog, IDCANCEL);
            }
            return TRUE;
        default:
            return FALSE;
    }
}

// ---- font ----

struct FontApply {
    void (*apply)(HWND, const LOGFONTA&);
    HWND target;
};

UINT_PTR CALLBACK FontHook(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        const auto* request = reinterpret_cast<const CHOOSEFONTA*>(lParam);
        SetWindowLongPtrA(dialog, DWLP_USER, static_cast<LONG_PTR>(request->lCustData));
        return TRUE;
    }
    // The dialog's Apply button (id 1026) sets the chosen font at once.
    if (message == WM_COMMAND && LOWORD(wParam) == 1026) {
        auto* target = reinterpret_cast<FontApply*>(GetWindowLongPtrA(dialog, DWLP_USER));
        LOGFONTA font{};
        SendMessageA(dialog, WM_CHOOSEFONT_GETLOGFONT, 0, reinterpret_cast<LPARAM>(&font));
        if (target != nullptr)
            target->apply(target->target, font);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

int DesktopDialogs::Message(HWND owner, std::string_view text, UINT type) {
    return MessageBoxA(owner, std::string(text).c_str(), std::string(kApplicationTitle).c_str(),
                       type);
}

std::optional<std::string> DesktopDialogs::Input(HWND owner, std::string_view prompt,
                                                 std::string_view answer) {
    InputState state{std::string(prompt), std::string(answer)};
    if (DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_INPUT), owner, InputProc,
                        reinterpret_cast<LPARAM>(&state)) != IDOK) {
        return std::nullopt;
    }
    return state.answer;
}

bool DesktopDialogs::Properties(HWND owner, const std::string& caption, TOptions& options) {
    PropertiesState state{this, caption, options, {}};
    if (DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_PROPERTIES), owner,
                        PropertiesProc, reinterpret_cast<LPARAM>(&state)) != IDOK) {
        return false;
    }
    options = state.options;
    return true;
}

void DesktopDialogs::Sets(HWND owner, TSetsDialogModel& model, SetsDialogHost& host) {
    SetsState state{this, &model, &host};
    DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_SETS), owner, SetsProc,
                    reinterpret_cast<LPARAM>(&state));
}

std::optional<TSetRecord> DesktopDialogs::NewSet(HWND owner) {
    TSetRecord record;
    if (DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_NEWSET), owner, NewSetProc,
                        reinterpret_cast<LPARAM>(&record)) != IDOK) {
        return std::nullopt;
    }
    return record;
}

void DesktopDialogs::PickFont(HWND owner, LOGFONTA font, void (*apply)(HWND, const LOGFONTA&),
                              HWND applyTo) {
    FontApply target{apply, applyTo};
    CHOOSEFONTA request{};
    request.lStructSize = sizeof request;
    request.hwndOwner = owner;
    request.lpLogFont = &font;
    request.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_APPLY | CF_ENABLEHOOK;
    request.lpfnHook = FontHook;
    request.lCustData = reinterpret_cast<LPARAM>(&target);
    if (ChooseFontA(&request))
        apply(applyTo, font);
}

std::optional<std::string> DesktopDialogs::FindPlayer(HWND owner) {
    DesktopAssociationHost host(owner);
    return host.FindPlayer();
}

}  // namespace orvane
