#include "reader_window_win32.h"

#include <richedit.h>
#include <windowsx.h>

#include <cstdlib>
#include <cstring>
#include <exception>
#include <string>

#include "command_error.h"
#include "font_metrics.h"
#include "issue_scanner.h"
#include "open_selection.h"
#include "pane_layout.h"
#include "reader_dialogs_win32.h"
#include "resource.h"
#include "show_article_win32.h"
#include "string_ring.h"
#include "tree_picture.h"

namespace nuvella {
namespace {

constexpr std::size_t kOpenResultSize = 1024;

void layOut(ReaderState& state, int width, int height) {
    const PaneLayout layout = layoutPanes(width, height, state.splitRatio, state.splitHorizontal);
    MoveWindow(state.tree, layout.tree.x, layout.tree.y, layout.tree.width, layout.tree.height,
               TRUE);
    MoveWindow(state.pane, layout.text.x, layout.text.y, layout.text.width, layout.text.height,
               TRUE);
}

// Used by the splitter and the split commands: the new layout arrives as a posted WM_SIZE.
void relayOut(ReaderState& state) {
    InvalidateRect(state.main, nullptr, TRUE);
    RECT client;
    GetClientRect(state.main, &client);
    PostMessageA(state.main, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
}

void drawDragLine(ReaderState& state, int position) {
    RECT client;
    GetClientRect(state.main, &client);
    const PaneRect line = dragLine(position, client.right, client.bottom, state.splitHorizontal);
    const RECT r{line.x, line.y, line.x + line.width, line.y + line.height};
    HDC dc = GetDC(state.main);
    DrawFocusRect(dc, &r);  // drawn by inversion: drawing it again erases it
    ReleaseDC(state.main, dc);
}

int dragCoordinate(const ReaderState& state, LPARAM lParam) {
    return state.splitHorizontal ? GET_Y_LPARAM(lParam) : GET_X_LPARAM(lParam);
}

void setPaneFont(HWND pane, int twips, BYTE charSet, BYTE pitchAndFamily, const char* face) {
    CHARFORMATA format{};
    format.cbSize = sizeof format;
    format.dwMask = CFM_FACE | CFM_SIZE;
    format.yHeight = twips;
    format.yOffset = 0;
    format.bCharSet = charSet;
    format.bPitchAndFamily = pitchAndFamily;
    lstrcpynA(format.szFaceName, face, LF_FACESIZE);
    SendMessageA(pane, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
}

// ---- handlers ----

LRESULT onCreate(HWND window, const CREATESTRUCTA* create) {
    HINSTANCE instance = create->hInstance;
    auto pictures = static_cast<HIMAGELIST>(create->lpCreateParams);
    HWND pane = CreateWindowExA(
        WS_EX_CLIENTEDGE, "RichEdit", "",
        WS_CHILD | WS_VSCROLL | WS_HSCROLL | ES_READONLY | ES_MULTILINE | ES_AUTOVSCROLL, 0, 0, 100,
        100, window, reinterpret_cast<HMENU>(IDC_TEXT), instance, nullptr);
    ShowWindow(pane, SW_SHOW);
    HWND tree =
        CreateWindowExA(WS_EX_CLIENTEDGE, WC_TREEVIEWA, "",
                        WS_CHILD | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT, 0, 0, 100, 100,
                        window, reinterpret_cast<HMENU>(IDC_TREE), instance, nullptr);
    SendMessageA(tree, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(pictures));
    ShowWindow(tree, SW_SHOW);

    auto* state = new ReaderState(window, tree, pane);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));

    state->baseFontSize = 9;
    // Terminal, OEM character set, modern family with fixed pitch.
    setPaneFont(pane, kStartFontTwips, OEM_CHARSET, 0x31, "Terminal");

    PostMessageA(window, WM_COMMAND, IDM_SPLIT_VERTICAL, 0);
    PostMessageA(window, WM_USER, 0, 0);
    return 0;
}

LRESULT onSize(ReaderState& state, WPARAM type, int width, int height) {
    if (type != SIZE_MINIMIZED) {
        layOut(state, width, height);
    }
    return 0;
}

LRESULT onSetCursor(ReaderState& state, HWND window, WPARAM wParam, LPARAM lParam) {
    if (reinterpret_cast<HWND>(wParam) == window && LOWORD(lParam) == HTCLIENT) {
        SetCursor(LoadCursorA(nullptr, state.splitHorizontal ? IDC_SIZENS : IDC_SIZEWE));
        return 0;
    }
    return DefWindowProcA(window, WM_SETCURSOR, wParam, lParam);
}

LRESULT onGetMinMaxInfo(MINMAXINFO* info) {
    info->ptMinTrackSize.x = 50;
    info->ptMinTrackSize.y = 50;
    return 0;
}

LRESULT onLButtonDown(ReaderState& state, LPARAM lParam) {
    state.dragging = true;
    SetCapture(state.main);
    state.dragPosition = dragCoordinate(state, lParam);
    drawDragLine(state, state.dragPosition);
    return 0;
}

LRESULT onMouseMove(ReaderState& state, LPARAM lParam) {
    if (state.dragging) {
        const int position = dragCoordinate(state, lParam);
        if (position != state.dragPosition) {
            drawDragLine(state, state.dragPosition);
            drawDragLine(state, position);
            state.dragPosition = position;
        }
    }
    return 0;
}

LRESULT onLButtonUp(ReaderState& state, LPARAM lParam) {
    if (state.dragging) {
        state.dragging = false;
        ReleaseCapture();
        RECT client;
        GetClientRect(state.main, &client);
        state.splitRatio = splitRatioAt(dragCoordinate(state, lParam),
                                        state.splitHorizontal ? client.bottom : client.right);
        drawDragLine(state, state.dragPosition);
        relayOut(state);
    }
    return 0;
}

void supplyTreePicture(ReaderState& state, NMTVDISPINFOA* info) {
    TVITEMA item{};
    item.mask = TVIF_STATE | TVIF_CHILDREN;
    item.stateMask = TVIS_EXPANDED;
    item.hItem = info->item.hItem;
    SendMessageA(state.tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    const bool hasParent = SendMessageA(state.tree, TVM_GETNEXTITEM, TVGN_PARENT,
                                        reinterpret_cast<LPARAM>(info->item.hItem)) != 0;
    const int picture =
        treePicture(hasParent, item.cChildren != 0, (item.state & TVIS_EXPANDED) != 0);
    if (info->item.mask & TVIF_IMAGE) {
        info->item.iImage = picture;
    }
    if (info->item.mask & TVIF_SELECTEDIMAGE) {
        info->item.iSelectedImage = picture;
    }
}

LRESULT onNotify(ReaderState& state, NMHDR* header) {
    if (header->hwndFrom != state.tree) {
        return 0;
    }
    if (header->code == TVN_GETDISPINFOA) {
        supplyTreePicture(state, reinterpret_cast<NMTVDISPINFOA*>(header));
    } else if (header->code == TVN_SELCHANGEDA) {
        const auto* change = reinterpret_cast<NMTREEVIEWA*>(header);
        ShowArticle(state.pane, reinterpret_cast<const IssueLine*>(change->itemNew.lParam),
                    state.baseFontSize);
    }
    return 0;
}

void openIssues(ReaderState& state) {
    char result[kOpenResultSize] = "";
    OPENFILENAMEA request{};
    request.lStructSize = sizeof request;
    request.hwndOwner = state.main;
    request.lpstrFile = result;
    request.nMaxFile = sizeof result;
    request.Flags =
        OFN_EXPLORER | OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!readerDialogs().getOpenFileName(&request)) {
        readerDialogs().extendedError();
        return;
    }
    // Joined paths too long for the path buffer are skipped rather than cut or overflowed.
    const OpenSelection selection = parseOpenSelection(result, sizeof result, request.nFileOffset);
    for (const std::string& path : selection.paths) {
        LoadIssue(path, state.context, true);
    }
}

void chooseFont(ReaderState& state) {
    CHARFORMATA current{};
    current.cbSize = sizeof current;
    SendMessageA(state.pane, EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&current));
    LOGFONTA font{};
    font.lfHeight = logFontHeightFromTwips(current.yHeight);
    font.lfCharSet = current.bCharSet;
    font.lfPitchAndFamily = current.bPitchAndFamily;
    lstrcpynA(font.lfFaceName, current.szFaceName, LF_FACESIZE);
    CHOOSEFONTA request{};
    request.lStructSize = sizeof request;
    request.hwndOwner = nullptr;
    request.lpLogFont = &font;
    request.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT;
    // A cancelled dialog leaves the LOGFONT as it was, so applying it changes nothing.
    readerDialogs().chooseFont(&request);
    setPaneFont(state.pane, twipsFromLogFontHeight(font.lfHeight), font.lfCharSet,
                font.lfPitchAndFamily, font.lfFaceName);
    state.baseFontSize = baseFontSizeFromLogFontHeight(font.lfHeight);
}

void setSplit(ReaderState& state, bool stacked) {
    state.splitHorizontal = stacked;
    HMENU menu = GetMenu(state.main);
    CheckMenuItem(menu, IDM_SPLIT_HORIZONTAL, MF_BYCOMMAND | (stacked ? MF_CHECKED : MF_UNCHECKED));
    CheckMenuItem(menu, IDM_SPLIT_VERTICAL, MF_BYCOMMAND | (stacked ? MF_UNCHECKED : MF_CHECKED));
    relayOut(state);
}

LRESULT onCommand(ReaderState& state, WORD command) {
    switch (command) {
        case IDM_OPEN:
            openIssues(state);
            break;
        case IDM_EXIT:
            PostMessageA(state.main, WM_CLOSE, 0, 0);
            break;
        case IDM_COPY:
            SendMessageA(state.pane, WM_COPY, 0, 0);
            break;
        case IDM_SELECT_ALL:
            SendMessageA(state.pane, EM_SETSEL, 0, -1);
            break;
        case IDM_SPLIT_HORIZONTAL:
            setSplit(state, true);
            break;
        case IDM_SPLIT_VERTICAL:
            setSplit(state, false);
            break;
        case IDM_FONT:
            chooseFont(state);
            break;
        case IDM_ABOUT: {
            const char* text = LoadResString(IDS_ABOUT_TEXT);
            const char* caption = LoadResString(IDS_ABOUT_CAPTION);
            readerDialogs().messageBox(state.main, text, caption, MB_OK | MB_ICONINFORMATION);
            break;
        }
        default:
            break;
    }
    return 0;
}

LRESULT dispatchReaderMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CREATE) {
        return onCreate(window, reinterpret_cast<const CREATESTRUCTA*>(lParam));
    }
    ReaderState* state = readerState(window);
    if (state == nullptr) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    switch (message) {
        case WM_SIZE:
            return onSize(*state, wParam, LOWORD(lParam), HIWORD(lParam));
        case WM_SETCURSOR:
            return onSetCursor(*state, window, wParam, lParam);
        case WM_GETMINMAXINFO:
            return onGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lParam));
        case WM_LBUTTONDOWN:
            return onLButtonDown(*state, lParam);
        case WM_MOUSEMOVE:
            return onMouseMove(*state, lParam);
        case WM_LBUTTONUP:
            return onLButtonUp(*state, lParam);
        case WM_NOTIFY:
            return onNotify(*state, reinterpret_cast<NMHDR*>(lParam));
        case WM_COMMAND:
            return onCommand(*state, LOWORD(wParam));
        case WM_USER:
            ScanForIssues(state->context);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        case WM_NCDESTROY:
            SetWindowLongPtrA(window, GWLP_USERDATA, 0);
            delete state;
            return DefWindowProcA(window, message, wParam, lParam);
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

// Runs where an exception was just caught, so it throws nothing itself: without memory even
// for the message it stays quiet rather than end the program.
void showCommandError(HWND window, const std::exception* error) noexcept {
    try {
        const std::string text = commandErrorText(error);
        readerDialogs().messageBox(window, text.c_str(), LoadResString(IDS_TITLE),
                                   MB_OK | MB_ICONERROR);
    } catch (...) {
    }
}

// The one exception boundary: nothing may unwind into the system's message dispatch. A
// failed command is reported and the window stays usable; a failed creation fails the window.
LRESULT CALLBACK readerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        return dispatchReaderMessage(window, message, wParam, lParam);
    } catch (const std::exception& error) {
        if (message == WM_CREATE) {
            return -1;
        }
        showCommandError(window, &error);
    } catch (...) {
        if (message == WM_CREATE) {
            return -1;
        }
        showCommandError(window, nullptr);
    }
    return 0;
}

}  // namespace

bool WindowMarkerQuestion::continueWithoutMarker() {
    return readerDialogs().messageBox(owner_, LoadResString(IDS_NO_MARKER), nullptr,
                                      MB_YESNO | MB_ICONQUESTION) == IDYES;
}

const char* LoadResString(UINT id) {
    static StringRing ring;
    char* buffer = ring.next();
    LoadStringA(GetModuleHandleA(nullptr), id, buffer, static_cast<int>(StringRing::kBufferSize));
    return buffer;
}

ReaderState* readerState(HWND window) {
    char name[32] = "";
    GetClassNameA(window, name, sizeof name);
    if (std::strcmp(name, kReaderClassName) != 0) {
        return nullptr;
    }
    return reinterpret_cast<ReaderState*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

bool registerReaderClass(HINSTANCE instance) {
    WNDCLASSA windowClass{};
    windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    windowClass.lpfnWndProc = readerWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_NUVELLA));
    windowClass.hCursor = LoadCursorA(nullptr, IDC_SIZEWE);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszMenuName = MAKEINTRESOURCEA(IDR_MAINMENU);
    windowClass.lpszClassName = kReaderClassName;
    return RegisterClassA(&windowClass) != 0;
}

HWND createReaderWindow(HINSTANCE instance, HIMAGELIST treePictures) {
    return CreateWindowExA(0, kReaderClassName, LoadResString(IDS_TITLE),
                           WS_OVERLAPPEDWINDOW | WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT,
                           CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, treePictures);
}

}  // namespace nuvella
