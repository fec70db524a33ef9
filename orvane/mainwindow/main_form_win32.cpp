#include "main_form_win32.h"

#include <windowsx.h>

#include <algorithm>
#include <cstring>
#include <ctime>
#include <exception>
#include <utility>

#include "command_table.h"
#include "main_commands_win32.h"
#include "main_form_parts_win32.h"
#include "resource.h"
#include "setting_access.h"

namespace orvane {
namespace {

constexpr UINT kRefreshMessage = WM_APP + 10;  // a selection changed: refresh once
constexpr UINT kCreateFinishMessage = WM_APP + 11;
constexpr UINT_PTR kRunningTimer = 1;

// ---- handlers ----

LRESULT FormCreate(HWND window, const CREATESTRUCTA* create) {
    auto* form = static_cast<TMainForm*>(create->lpCreateParams);
    form->window = window;
    CreateControls(*form);
    FormCreateModel(*form);
    ShowTabPage(*form);
    SetTimer(window, kRunningTimer, kRunningTimerMilliseconds, nullptr);
    PostMessageA(window, kCreateFinishMessage, 0, 0);
    return 0;
}

LRESULT FormResize(TMainForm& form, WPARAM type, int width) {
    if (type == SIZE_MINIMIZED || form.toolBar == nullptr)
        return 0;
    const bool ratio = ReadSetting(form.store, setting::MainTainPanelRatio);
    form.panels = PanelsAfterResize(form.panels, width, ratio);
    LayOut(form);
    return 0;
}

// Splitters are the gaps between the panels: dragging one moves its edge.

LRESULT FormSetCursor(TMainForm& form, WPARAM wParam, LPARAM lParam) {
    if (reinterpret_cast<HWND>(wParam) == form.window && LOWORD(lParam) == HTCLIENT) {
        POINT p;
        GetCursorPos(&p);
        ScreenToClient(form.window, &p);
        const TSplitter s = SplitterAt(form, p.x, p.y);
        if (s != TSplitter::None) {
            SetCursor(LoadCursorA(nullptr, s == TSplitter::Split2 ? IDC_SIZENS : IDC_SIZEWE));
            return TRUE;
        }
    }
    return DefWindowProcA(form.window, WM_SETCURSOR, wParam, lParam);
}

LRESULT SplitMouseDown(TMainForm& form, LPARAM lParam) {
    form.splitDragging = SplitterAt(form, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    if (form.splitDragging != TSplitter::None)
        SetCapture(form.window);
    return 0;
}

LRESULT SplitMouseUp(TMainForm& form, LPARAM lParam) {
    if (form.splitDragging == TSplitter::None)
        return 0;
    ReleaseCapture();
    const int x = GET_X_LPARAM(lParam);
    const int y = GET_Y_LPARAM(lParam);
    RECT client;
    GetClientRect(form.window, &client);
    switch (form.splitDragging) {
        case TSplitter::Split1:
            form.panels.dirListPanelWidth = std::clamp(x, 0, form.panels.leftPanelWidth);
            break;
        case TSplitter::Split2:
            form.panels.listPanelHeight = std::max(0, y - PanelsTop(form));
            break;
        case TSplitter::Split3:
            form.panels.leftPanelWidth = x;
            form.panels = PanelsAfterSplit3(form.panels, client.right);
            break;
        case TSplitter::None:
            break;
    }
    form.splitDragging = TSplitter::None;
    LayOut(form);
    return 0;
}

POINT ScreenPoint(HWND window, LPARAM lParam) {
    POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ClientToScreen(window, &p);
    return p;
}

LRESULT FormMouseMove(TMainForm& form, LPARAM lParam) {
    if (form.dragSource != TDragSource::None)
        SongListDragOver(form, ScreenPoint(form.window, lParam));
    return 0;
}

LRESULT FormMouseUp(TMainForm& form, LPARAM lParam) {
    if (form.dragSource == TDragSource::None)
        return SplitMouseUp(form, lParam);
    SongListDragDrop(form, ScreenPoint(form.window, lParam));
    return 0;
}

// A press on a selected file keeps the selection when it starts a drag; a press that is no
// drag is handed to the list box whole.
LRESULT FileListBoxMouseDown(TMainForm& form, WPARAM wParam, LPARAM lParam) {
    HWND box = form.fileList;
    const DWORD hit = static_cast<DWORD>(SendMessageA(box, LB_ITEMFROMPOINT, 0, lParam));
    const bool onSelected = HIWORD(hit) == 0 && (wParam & (MK_SHIFT | MK_CONTROL)) == 0 &&
                            SendMessageA(box, LB_GETSEL, LOWORD(hit), 0) > 0;
    if (!onSelected)
        CallWindowProcA(form.fileListProc, box, WM_LBUTTONDOWN, wParam, lParam);
    POINT screen{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ClientToScreen(box, &screen);
    if (DragDetect(box, screen)) {
        FileListBoxStartDrag(form);
        return 0;
    }
    if (onSelected)
        CallWindowProcA(form.fileListProc, box, WM_LBUTTONDOWN, wParam, lParam);
    return CallWindowProcA(form.fileListProc, box, WM_LBUTTONUP, wParam, lParam);
}

void SupplySongText(TMainForm& form, NMLVDISPINFOA* info) {
    LVITEMA& item = info->item;
    if (item.iItem < 0 || item.iItem >= form.list.Count())
        return;
    const TSongEntry& entry = form.list.Entry(item.iItem);
    if (item.mask & LVIF_TEXT) {
        const std::string& text = item.iSubItem == 0   ? entry.caption
                                  : item.iSubItem == 1 ? entry.timeText
                                                       : entry.folder;
        lstrcpynA(item.pszText, text.c_str(), item.cchTextMax);
    }
    if (item.mask & LVIF_STATE) {
        item.state |= INDEXTOSTATEIMAGEMASK(static_cast<UINT>(entry.stateImage + 1));
        item.stateMask |= LVIS_STATEIMAGEMASK;
    }
}

void PostRefresh(TMainForm& form) {
    if (form.pushingList || form.refreshPosted)
        return;
    form.refreshPosted = true;
    PostMessageA(form.window, kRefreshMessage, 0, 0);
}

LRESULT FormNotify(TMainForm& form, NMHDR* header) {
    if (header->hwndFrom == form.songList) {
        switch (header->code) {
            case LVN_GETDISPINFOA:
                SupplySongText(form, reinterpret_cast<NMLVDISPINFOA*>(header));
                break;
            case LVN_ITEMCHANGED:
            case LVN_ODSTATECHANGED:
                // Only the user's changes make the song list the one Play acts on.
                if (form.pushingList)
                    break;
                form.active = TActiveControl::SongList;
                PostRefresh(form);
                break;
            case NM_CLICK:
                form.active = TActiveControl::SongList;
                PostRefresh(form);
                break;
            case NM_DBLCLK:
                SongListDblClick(form);
                break;
            case NM_RCLICK:
                SongListPopup(form);
                break;
            case LVN_BEGINDRAG:
                SongListStartDrag(form);
                break;
            case LVN_COLUMNCLICK:
                SongListColumnClick(form, reinterpret_cast<NMLISTVIEW*>(header)->iSubItem);
                break;
            default:
                break;
        }
        return 0;
    }
    if (header->hwndFrom == form.tabSet && header->code == TCN_SELCHANGE) {
        ShowTabPage(form);
        return 0;
    }
    if (header->code == TTN_GETDISPINFOA) {
        auto* tip = reinterpret_cast<NMTTDISPINFOA*>(header);
        const std::string_view hint = HintOfCommand(static_cast<int>(header->idFrom));
        static char text[80];
        lstrcpynA(text, std::string(hint).c_str(), sizeof text);
        tip->lpszText = text;
        SendMessageA(form.statusBar, SB_SETTEXTA, 1, reinterpret_cast<LPARAM>(text));
    }
    return 0;
}

LRESULT FormControlCommand(TMainForm& form, WORD id, WORD code, HWND control) {
    if (control == form.fileList) {
        if (code == LBN_SELCHANGE || code == LBN_SETFOCUS) {
            form.active = TActiveControl::FileList;
            FileListBoxClick(form);
        } else if (code == LBN_DBLCLK) {
            FileListBoxDblClick(form);
        }
        return 0;
    }
    if (control == form.folderList && code == LBN_DBLCLK) {
        FolderListDblClick(form);
        return 0;
    }
    if (control == form.driveBox && code == CBN_SELCHANGE) {
        DriveBoxChange(form);
        return 0;
    }
    const bool tagBox = control == form.title || control == form.artist || control == form.album ||
                        control == form.comment;
    if (control == form.year && (code == CBN_SELCHANGE || code == CBN_EDITCHANGE)) {
        YearChange(form, code == CBN_SELCHANGE);
        return 0;
    }
    if ((tagBox && code == EN_CHANGE) || (control == form.genre && code == CBN_SELCHANGE)) {
        TagBoxChange(form);
        return 0;
    }
    if (control == form.year && code == CBN_KILLFOCUS) {
        YearExit(form);
        return 0;
    }
    if (control == nullptr || control == form.toolBar || control == form.toolPanel || code == 0) {
        MainCommand(form, id);
    }
    return 0;
}

LRESULT FormCloseQuery(TMainForm& form) {
    if (CloseNeedsQuestion(form.closeBoxHit)) {
        form.closeBoxHit = false;
        ModalScope asking(form);
        const int answer = form.dialogs.Message(form.window, LeaveQuestion(),
                                                MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2);
        // A close that came while the question was up is answered by it.
        form.closeWaiting = false;
        if (answer != IDYES)
            return 0;
    }
    FormClose(form);
    DestroyWindow(form.window);
    return 0;
}

// The control that had the focus gets it back when the window is active again (after a box).
LRESULT FormActivate(TMainForm& form, WPARAM wParam, LPARAM lParam) {
    if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus != nullptr && IsChild(form.window, focus))
            form.lastFocus = focus;
        return DefWindowProcA(form.window, WM_ACTIVATE, wParam, lParam);
    }
    if (HIWORD(wParam) == 0 && form.lastFocus != nullptr && IsWindow(form.lastFocus) &&
        IsWindowVisible(form.lastFocus) && IsWindowEnabled(form.lastFocus)) {
        SetFocus(form.lastFocus);
        return 0;
    }
    return DefWindowProcA(form.window, WM_ACTIVATE, wParam, lParam);
}

// The window never gets so low that a tag box falls off its page.
LRESULT FormMinMaxInfo(TMainForm& form, MINMAXINFO* info) {
    if (form.statusBar == nullptr)
        return 0;
    RECT frame{0, 0, 0, MinClientHeight(ToolBarHeight(form), StatusBarHeight(form))};
    AdjustWindowRect(&frame, static_cast<DWORD>(GetWindowLongPtrA(form.window, GWL_STYLE)),
                     GetMenu(form.window) != nullptr);
    info->ptMinTrackSize.y = std::max(info->ptMinTrackSize.y, frame.bottom - frame.top);
    return 0;
}

LRESULT FormNcHitTest(TMainForm& form, WPARAM wParam, LPARAM lParam) {
    const LRESULT hit = DefWindowProcA(form.window, WM_NCHITTEST, wParam, lParam);
    form.closeBoxHit = hit == HTCLOSE;
    return hit;
}

LRESULT Dispatch(TMainForm& form, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SIZE:
            return FormResize(form, wParam, LOWORD(lParam));
        case WM_SETCURSOR:
            return FormSetCursor(form, wParam, lParam);
        case WM_LBUTTONDOWN:
            return SplitMouseDown(form, lParam);
        case WM_MOUSEMOVE:
            return FormMouseMove(form, lParam);
        case WM_LBUTTONUP:
            return FormMouseUp(form, lParam);
        case WM_CAPTURECHANGED:
            if (reinterpret_cast<HWND>(lParam) != form.window) {
                EndDrag(form);
                form.splitDragging = TSplitter::None;
            }
            return 0;
        case WM_ACTIVATE:
            return FormActivate(form, wParam, lParam);
        case WM_NOTIFY:
            return FormNotify(form, reinterpret_cast<NMHDR*>(lParam));
        case WM_MENUSELECT:
            MenuItemSelect(form, LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_COMMAND:
            return FormControlCommand(form, LOWORD(wParam), HIWORD(wParam),
                                      reinterpret_cast<HWND>(lParam));
        case WM_TIMER:
            // Inside a box's loop the tick waits: it could open one more box.
            if (form.modalDepth == 0)
                RunningTimerTimer(form);
            return 0;
        case kRefreshMessage:
            form.refreshPosted = false;
            if (form.modalDepth > 0) {
                form.refreshWaiting = true;
                return 0;
            }
            SongListClick(form);
            return 0;
        case kCreateFinishMessage:
            FormCreateFinish(form);
            return 0;
        case kApplyPlacementMessage:
            FormApplyPlacement(form);
            return 0;
        case kFocusYearMessage:
            SetFocus(form.year);
            SendMessageA(form.year, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
            return 0;
        case WM_NCHITTEST:
            return FormNcHitTest(form, wParam, lParam);
        case WM_GETMINMAXINFO:
            return FormMinMaxInfo(form, reinterpret_cast<MINMAXINFO*>(lParam));
        case WM_CLOSE:
            if (form.modalDepth > 0) {
                form.closeWaiting = true;
                BringModalForward(form);
                return 0;
            }
            return FormCloseQuery(form);
        case WM_QUERYENDSESSION:
            return TRUE;
        case WM_ENDSESSION:
            if (wParam)
                FormEndSession(form);
            return 0;
        case WM_SHOWWINDOW:
            if (wParam)
                FormShow(form);
            return DefWindowProcA(form.window, message, wParam, lParam);
        case WM_DESTROY:
            FormDestroy(form);
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcA(form.window, message, wParam, lParam);
    }
}

LRESULT CALLBACK MainFormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        static_cast<TMainForm*>(create->lpCreateParams)->window = window;
        SetWindowLongPtrA(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        return DefWindowProcA(window, message, wParam, lParam);
    }
    auto* form = reinterpret_cast<TMainForm*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (form == nullptr)
        return DefWindowProcA(window, message, wParam, lParam);
    // The one place a failed file or registry operation ends up: the command stops, the
    // error is shown, and the window stays usable.
    try {
        if (message == WM_CREATE) {
            return FormCreate(window, reinterpret_cast<const CREATESTRUCTA*>(lParam));
        }
        if (message == WM_NCDESTROY) {
            SetWindowLongPtrA(window, GWLP_USERDATA, 0);
            delete form;
            return DefWindowProcA(window, message, wParam, lParam);
        }
        return Dispatch(*form, message, wParam, lParam);
    } catch (const std::exception& error) {
        form->dialogs.Message(window, error.what(), MB_OK | MB_ICONERROR);
    }
    return 0;
}

}  // namespace

// The file list's own mouse handling: a press may start a drag into the song list.
LRESULT CALLBACK FileListBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* form = reinterpret_cast<TMainForm*>(GetWindowLongPtrA(box, GWLP_USERDATA));
    if (message == WM_LBUTTONDOWN)
        return FileListBoxMouseDown(*form, wParam, lParam);
    return CallWindowProcA(form->fileListProc, box, message, wParam, lParam);
}

ModalScope::ModalScope(TMainForm& form) : form_(form) {
    ++form_.modalDepth;
}

ModalScope::~ModalScope() {
    if (--form_.modalDepth > 0 || !IsWindow(form_.window))
        return;
    if (std::exchange(form_.refreshWaiting, false)) {
        form_.refreshPosted = true;
        PostMessageA(form_.window, kRefreshMessage, 0, 0);
    }
    if (std::exchange(form_.closeWaiting, false))
        PostMessageA(form_.window, WM_CLOSE, 0, 0);
}

int ModalDialogs::Message(HWND owner, std::string_view text, UINT type) {
    ModalScope scope(form_);
    return inner_.Message(owner, text, type);
}

std::optional<std::string> ModalDialogs::Input(HWND owner, std::string_view prompt,
                                               std::string_view answer) {
    ModalScope scope(form_);
    return inner_.Input(owner, prompt, answer);
}

bool ModalDialogs::Properties(HWND owner, const std::string& caption, TOptions& options) {
    ModalScope scope(form_);
    return inner_.Properties(owner, caption, options);
}

void ModalDialogs::Sets(HWND owner, TSetsDialogModel& model, SetsDialogHost& host) {
    ModalScope scope(form_);
    inner_.Sets(owner, model, host);
}

std::optional<TSetRecord> ModalDialogs::NewSet(HWND owner) {
    ModalScope scope(form_);
    return inner_.NewSet(owner);
}

void ModalDialogs::PickFont(HWND owner, LOGFONTA font, void (*apply)(HWND, const LOGFONTA&),
                            HWND applyTo) {
    ModalScope scope(form_);
    inner_.PickFont(owner, font, apply, applyTo);
}

std::optional<std::string> ModalDialogs::FindPlayer(HWND owner) {
    ModalScope scope(form_);
    return inner_.FindPlayer(owner);
}

void BringModalForward(TMainForm& form) {
    // The boxes are owned by the main window, which shows again if it was hidden in the tray.
    HWND popup = GetLastActivePopup(form.window);
    if (popup == nullptr || !IsWindowVisible(popup))
        popup = form.window;
    SetForegroundWindow(popup);
}

TMainForm* MainFormState(HWND window) {
    char name[32] = "";
    GetClassNameA(window, name, sizeof name);
    if (std::strcmp(name, kMainFormClass) != 0)
        return nullptr;
    return reinterpret_cast<TMainForm*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

bool RegisterMainFormClass(HINSTANCE instance) {
    WNDCLASSA windowClass{};
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = MainFormProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_ORVANE));
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszMenuName = MAKEINTRESOURCEA(IDR_MAINMENU);
    windowClass.lpszClassName = kMainFormClass;
    return RegisterClassA(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HWND CreateMainForm(HINSTANCE instance, const TMainFormParams& params) {
    auto* form = new TMainForm(params);
    // 663 x 543 client area at design.
    RECT frame{0, 0, 663, 543};
    AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, TRUE);
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const int x =
        work.left +
        std::max(0, static_cast<int>((work.right - work.left) - (frame.right - frame.left)) / 2);
    const int y =
        work.top +
        std::max(0, static_cast<int>((work.bottom - work.top) - (frame.bottom - frame.top)) / 2);
    HWND window =
        CreateWindowExA(0, kMainFormClass, std::string(kApplicationTitle).c_str(),
                        WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, x, y, frame.right - frame.left,
                        frame.bottom - frame.top, nullptr, nullptr, instance, form);
    if (window == nullptr)
        return nullptr;
    if (!params.startHidden) {
        ShowWindow(window, SW_SHOW);
        UpdateWindow(window);
    } else {
        form->hidden = true;
    }
    return window;
}

HACCEL LoadMainAccelerators(HINSTANCE instance) {
    return LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDR_ACCELERATORS));
}

namespace {

bool EditKeepsKey(const MSG& message) {
    if (message.message != WM_KEYDOWN)
        return false;
    char name[16] = "";
    GetClassNameA(message.hwnd, name, sizeof name);
    return EditBoxKeepsKey(lstrcmpiA(name, "Edit") == 0, GetKeyState(VK_CONTROL) < 0,
                           GetKeyState(VK_MENU) < 0, static_cast<unsigned>(message.wParam));
}

}  // namespace

int RunMessageLoop(HWND mainWindow, HACCEL accelerators, bool wait) {
    MSG message;
    for (;;) {
        if (wait) {
            if (GetMessageA(&message, nullptr, 0, 0) <= 0)
                return static_cast<int>(message.wParam);
        } else if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            return 0;
        } else if (message.message == WM_QUIT) {
            return static_cast<int>(message.wParam);
        }
        if (IsWindow(mainWindow) && accelerators != nullptr && !EditKeepsKey(message) &&
            TranslateAcceleratorA(mainWindow, accelerators, &message)) {
            continue;
        }
        // Tab and Shift+Tab move through the boxes and lists of the main window.
        if (IsWindow(mainWindow) && message.message == WM_KEYDOWN && message.wParam == VK_TAB &&
            IsChild(mainWindow, message.hwnd) && IsDialogMessageA(mainWindow, &message)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

}  // namespace orvane
