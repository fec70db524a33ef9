#include "form_controls_win32.h"

#include <commctrl.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <exception>

#include "resource.h"
#include "wave_bitmap.h"

namespace talvik {

HFONT makeFont(const char* face, int height) {
    return CreateFontA(-height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, face);
}

HWND addControl(HWND parent, const char* className, const char* text, DWORD style, int id, int x,
                int y, int width, int height, HFONT font, DWORD exStyle) {
    HWND control = CreateWindowExA(
        exStyle, className, text, WS_CHILD | WS_VISIBLE | WS_GROUP | style, x, y, width, height,
        parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
        reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE)), nullptr);
    if (control != nullptr && font != nullptr) {
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    return control;
}

HWND addGroup(HWND parent, const char* text, int x, int y, int width, int height, HFONT font) {
    return addControl(parent, "BUTTON", text, BS_GROUPBOX, -1, x, y, width, height, font);
}

HWND addLabel(HWND parent, const char* text, int id, int x, int y, int width, int height,
              HFONT font) {
    return addControl(parent, "STATIC", text, SS_LEFT | SS_NOPREFIX, id, x, y, width, height, font);
}

HWND addButton(HWND parent, const char* text, int id, int x, int y, int width, int height,
               HFONT font, DWORD kind) {
    return addControl(parent, "BUTTON", text, WS_TABSTOP | kind, id, x, y, width, height, font);
}

void addRadioGroup(HWND parent, std::initializer_list<RadioItem> items, HFONT font) {
    bool first = true;
    for (const RadioItem& item : items) {
        HWND button = addControl(parent, "BUTTON", item.text, BS_RADIOBUTTON, item.id, item.x,
                                 item.y, item.width, item.height, font);
        if (!first) {
            SetWindowLongPtrA(button, GWL_STYLE,
                              GetWindowLongPtrA(button, GWL_STYLE) & ~LONG_PTR{WS_GROUP});
        }
        first = false;
    }
}

void checkRadio(HWND parent, std::initializer_list<int> group, int chosen) {
    for (int id : group) {
        setChecked(parent, id, id == chosen);
        HWND button = GetDlgItem(parent, id);
        const LONG_PTR style = GetWindowLongPtrA(button, GWL_STYLE);
        SetWindowLongPtrA(button, GWL_STYLE,
                          id == chosen ? style | WS_TABSTOP : style & ~LONG_PTR{WS_TABSTOP});
    }
}

std::string windowText(HWND control) {
    const int length = GetWindowTextLengthA(control);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int got = GetWindowTextA(control, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(std::max(got, 0)));
    return text;
}

std::size_t NextAnsiChar(const std::string& text, std::size_t at) {
    const char* after = CharNextA(text.c_str() + at);
    const auto step = static_cast<std::size_t>(after - (text.c_str() + at));
    return std::min(at + std::max<std::size_t>(step, 1), text.size());
}

std::string currentDirectory() {
    std::string directory;
    // The answer is the size needed with the terminator, or the length without it; it can
    // grow between the two calls.
    for (DWORD size = MAX_PATH;;) {
        directory.assign(size, '\0');
        const DWORD got = GetCurrentDirectoryA(size, directory.data());
        if (got == 0) {
            return {};
        }
        if (got < size) {
            directory.resize(got);
            return directory;
        }
        size = got;
    }
}

void setChecked(HWND parent, int id, bool checked) {
    CheckDlgButton(parent, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

bool isChecked(HWND parent, int id) {
    return IsDlgButtonChecked(parent, id) == BST_CHECKED;
}

void enable(HWND parent, int id, bool enabled) {
    EnableWindow(GetDlgItem(parent, id), enabled ? TRUE : FALSE);
}

void addSpinEdit(HWND parent, int id, int x, int y, int width, int height, SpinRange range,
                 int value, HFONT font) {
    HWND edit = addControl(parent, "EDIT", "", WS_TABSTOP | ES_AUTOHSCROLL, id, x, y, width, height,
                           font, WS_EX_CLIENTEDGE);
    HWND updown = addControl(parent, UPDOWN_CLASSA, "",
                             UDS_ALIGNRIGHT | UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS,
                             id + IDC_SPIN_UPDOWN_OFFSET, 0, 0, 0, 0, nullptr);
    SendMessageA(updown, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit), 0);
    SendMessageA(updown, UDM_SETRANGE32, static_cast<WPARAM>(range.min),
                 static_cast<LPARAM>(range.max));
    UDACCEL step{0, static_cast<UINT>(range.step)};
    SendMessageA(updown, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&step));
    SendMessageA(updown, UDM_SETPOS32, 0, value);
    SetWindowTextA(edit, std::to_string(value).c_str());
}

int spinValue(HWND parent, int id, SpinRange range) {
    return SpinValue(windowText(GetDlgItem(parent, id)), range);
}

void setSpinValue(HWND parent, int id, int value) {
    SendDlgItemMessageA(parent, id + IDC_SPIN_UPDOWN_OFFSET, UDM_SETPOS32, 0, value);
    SetDlgItemTextA(parent, id, std::to_string(value).c_str());
}

void DirectoryPicker::create(HWND parent, int driveId, int listId, int filesId, int x, int y,
                             int width, int driveListHeight, int filesHeight, HFONT font,
                             HFONT smallFont) {
    driveId_ = driveId;
    listId_ = listId;
    drives_ = addControl(parent, "COMBOBOX", "", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST,
                         driveId, x, y, width, 200, font);
    char roots[256] = "";
    GetLogicalDriveStringsA(sizeof roots - 1, roots);
    for (const char* root = roots; *root != '\0'; root += std::strlen(root) + 1) {
        const char drive[3] = {static_cast<char>(std::tolower(static_cast<unsigned char>(root[0]))),
                               ':', '\0'};
        SendMessageA(drives_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(drive));
    }
    list_ = addControl(parent, "LISTBOX", "",
                       WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, listId, x,
                       y + 24, width, driveListHeight, font, WS_EX_CLIENTEDGE);
    if (filesId != 0) {
        files_ = addControl(
            parent, "LISTBOX", "", WS_TABSTOP | WS_VSCROLL | LBS_NOINTEGRALHEIGHT | LBS_SORT,
            filesId, x, y + 28 + driveListHeight, width, filesHeight, smallFont, WS_EX_CLIENTEDGE);
        SendMessageA(files_, LB_SETITEMHEIGHT, 0, 8);
    }
}

bool DirectoryPicker::show(const std::string& directory) {
    std::vector<std::string> subdirectories;
    WIN32_FIND_DATAA found;
    const std::string pattern = DirectoryText(directory, NextAnsiChar) + "*";
    HANDLE search = FindFirstFileA(pattern.c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
                subdirectories.emplace_back(found.cFileName);
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    } else if (GetLastError() != ERROR_FILE_NOT_FOUND) {  // an empty drive root has no "."
        selectDrive();  // a drive chosen in the box that cannot be listed: back to ours
        return false;
    }
    entries_ = DirectoryListEntries(directory, subdirectories, NextAnsiChar);
    directory_ = entries_.empty() ? directory : [this] {
        for (const DirectoryEntry& e : entries_) {
            if (e.chosen) {
                return e.path;
            }
        }
        return entries_.back().path;
    }();
    SendMessageA(list_, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list_, LB_RESETCONTENT, 0, 0);
    int chosen = 0;
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        const std::string line =
            std::string(static_cast<std::size_t>(entries_[i].indent) * 2, ' ') +
            (entries_[i].indent < entries_.back().indent || entries_[i].chosen ? "[-] " : "[+] ") +
            entries_[i].label;
        SendMessageA(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
        if (entries_[i].chosen) {
            chosen = static_cast<int>(i);
        }
    }
    SendMessageA(list_, LB_SETCURSEL, static_cast<WPARAM>(chosen), 0);
    SendMessageA(list_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list_, nullptr, TRUE);
    selectDrive();
    refreshFiles();
    return true;
}

void DirectoryPicker::selectDrive() {
    if (directory_.size() >= 2 && directory_[1] == ':') {
        const char drive[3] = {
            static_cast<char>(std::tolower(static_cast<unsigned char>(directory_[0]))), ':', '\0'};
        SendMessageA(drives_, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>(drive));
    }
}

void DirectoryPicker::refreshFiles() {
    if (files_ == nullptr) {
        return;
    }
    SendMessageA(files_, LB_RESETCONTENT, 0, 0);
    std::string pattern = DirectoryText(directory_, NextAnsiChar) + "*.*";
    SendMessageA(files_, LB_DIR, DDL_READWRITE | DDL_READONLY | DDL_ARCHIVE,
                 reinterpret_cast<LPARAM>(pattern.c_str()));
}

bool DirectoryPicker::directoryAsked(int id, int code, std::string& asked) const {
    if (id == listId_ && code == LBN_DBLCLK) {
        const LRESULT at = SendMessageA(list_, LB_GETCURSEL, 0, 0);
        if (at >= 0 && static_cast<std::size_t>(at) < entries_.size()) {
            asked = entries_[static_cast<std::size_t>(at)].path;
            return true;
        }
    }
    if (id == driveId_ && code == CBN_SELCHANGE) {
        char drive[8] = "";
        const LRESULT at = SendMessageA(drives_, CB_GETCURSEL, 0, 0);
        if (at >= 0 && SendMessageA(drives_, CB_GETLBTEXTLEN, static_cast<WPARAM>(at), 0) < 6) {
            SendMessageA(drives_, CB_GETLBTEXT, static_cast<WPARAM>(at),
                         reinterpret_cast<LPARAM>(drive));
            // "d:" names the drive's current directory, as a drive box goes there.
            char full[MAX_PATH] = "";
            const DWORD got = GetFullPathNameA(drive, sizeof full, full, nullptr);
            asked = got > 0 && got < sizeof full ? std::string(full) : std::string(drive) + "\\";
            return true;
        }
    }
    return false;
}

namespace {

void paintPicture(HWND window, HDC dc, const WaveImage* image) {
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(dc, &client, EDGE_RAISED, BF_RECT);
    if (image != nullptr) {
        struct {
            BITMAPINFOHEADER header;
            RGBQUAD grey[256];
        } info{};
        info.header.biSize = sizeof info.header;
        info.header.biWidth = WaveImage::kWidth;
        info.header.biHeight = -WaveImage::kHeight;  // top-down rows
        info.header.biPlanes = 1;
        info.header.biBitCount = 8;
        info.header.biCompression = BI_RGB;
        for (int i = 0; i < 256; ++i) {
            const auto v = static_cast<BYTE>(i);
            info.grey[i] = RGBQUAD{v, v, v, 0};
        }
        const std::vector<std::uint8_t> rows = WaveBitmapRows(*image);
        SetDIBitsToDevice(dc, 8, 8, WaveImage::kWidth, WaveImage::kHeight, 0, 0, 0,
                          WaveImage::kHeight, rows.data(),
                          reinterpret_cast<const BITMAPINFO*>(&info), DIB_RGB_COLORS);
    }
}

void paintImage(HWND window, const WaveImage* image) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    try {
        paintPicture(window, dc, image);
    } catch (const std::exception&) {
        // Memory for the rows ran out: the panel stays as it is; the next paint tries again.
    }
    EndPaint(window, &paint);
}

LRESULT CALLBACK ImageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NCCREATE:
            attachState<const WaveImage>(window, lParam);
            return DefWindowProcA(window, message, wParam, lParam);
        case WM_PAINT:
            paintImage(window, attachedState<const WaveImage>(window));
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}
}  // namespace

bool registerImageClass(HINSTANCE instance) {
    WNDCLASSA c{};
    c.lpfnWndProc = ImageProc;
    c.hInstance = instance;
    c.hCursor = LoadCursorA(nullptr, IDC_CROSS);
    c.lpszClassName = kImageClassName;
    return RegisterClassA(&c) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HWND addImage(HWND parent, int id, int x, int y, const WaveImage* image) {
    return CreateWindowExA(0, kImageClassName, "", WS_CHILD | WS_VISIBLE, x, y,
                           WaveImage::kWidth + 16, WaveImage::kHeight + 16, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE)),
                           const_cast<WaveImage*>(image));
}

}  // namespace talvik

namespace talvik {

RECT centredFrame(DWORD style, DWORD exStyle, int width, int height) {
    RECT frame{0, 0, width, height};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const int w = frame.right - frame.left;
    const int h = frame.bottom - frame.top;
    const int left = work.left + (work.right - work.left - w) / 2;
    const int top = work.top + (work.bottom - work.top - h) / 2;
    return RECT{left, top, left + w, top + h};
}

}  // namespace talvik
