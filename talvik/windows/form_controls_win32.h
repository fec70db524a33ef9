// Control helpers shared by the splitter's windows: fonts, child controls at the
// positions of their forms, spin edits (an edit with an up-down control), the drive,
// directory and file lists, and the waveform image control.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "wave_image.h"
#include "window_rules.h"

namespace talvik {

// A font of the given face and character height in pixels; the caller deletes it.
HFONT makeFont(const char* face, int height);

HWND addControl(HWND parent, const char* className, const char* text, DWORD style, int id, int x,
                int y, int width, int height, HFONT font, DWORD exStyle = 0);
HWND addGroup(HWND parent, const char* text, int x, int y, int width, int height, HFONT font);
HWND addLabel(HWND parent, const char* text, int id, int x, int y, int width, int height,
              HFONT font);
HWND addButton(HWND parent, const char* text, int id, int x, int y, int width, int height,
               HFONT font, DWORD kind = BS_PUSHBUTTON);

// A set of radio buttons, one group for the keyboard: the first starts it (every other
// control starts a group of its own), the arrows move inside it, and Tab stops once, on
// the checked button (checkRadio keeps it there). Focus on an unchecked radio button
// clicks it on Windows, so a tab stop on any other button would change the choice.
struct RadioItem {
    const char* text;
    int id;
    int x;
    int y;
    int width;
    int height;
};
void addRadioGroup(HWND parent, std::initializer_list<RadioItem> items, HFONT font);
// Checks `chosen` among the group's buttons and moves the group's tab stop onto it.
void checkRadio(HWND parent, std::initializer_list<int> group, int chosen);

std::string windowText(HWND control);
// The ANSI code page's walk (CharNextA): a double-byte character's second byte may be "\".
std::size_t NextAnsiChar(const std::string& text, std::size_t at);
// The current directory in full, however long (a MAX_PATH buffer would give nothing).
std::string currentDirectory();
void setChecked(HWND parent, int id, bool checked);
bool isChecked(HWND parent, int id);
void enable(HWND parent, int id, bool enabled);

// A spin edit: the edit carries `id`, its up-down id + IDC_SPIN_UPDOWN_OFFSET.
void addSpinEdit(HWND parent, int id, int x, int y, int width, int height, SpinRange range,
                 int value, HFONT font);
// The edit's value, brought into the range.
int spinValue(HWND parent, int id, SpinRange range);
void setSpinValue(HWND parent, int id, int value);

// A drive box, a directory list and optionally a file list showing one directory.
class DirectoryPicker {
  public:
    void create(HWND parent, int driveId, int listId, int filesId, int x, int y, int width,
                int driveListHeight, int filesHeight, HFONT font, HFONT smallFont);
    // Shows the directory; false when it cannot be listed (the lists then stay).
    bool show(const std::string& directory);
    const std::string& directory() const { return directory_; }
    void refreshFiles();
    // A notification of one of its controls: the directory it asks for, if any.
    bool directoryAsked(int id, int code, std::string& asked) const;

  private:
    void selectDrive();

    HWND drives_ = nullptr;
    HWND list_ = nullptr;
    HWND files_ = nullptr;
    int driveId_ = 0;
    int listId_ = 0;
    std::string directory_;
    std::vector<DirectoryEntry> entries_;
};

// A window's state travels in lpCreateParams and is kept in GWLP_USERDATA from
// WM_NCCREATE on, so no message needs a look-up; attachState returns it.
template <class State>
State* attachState(HWND window, LPARAM createStruct) {
    auto* state =
        static_cast<State*>(reinterpret_cast<const CREATESTRUCTA*>(createStruct)->lpCreateParams);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
    return state;
}
template <class State>
State* attachedState(HWND window) {
    return reinterpret_cast<State*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

// The image control class: a raised panel with a 513 x 65 picture at (8, 8) and the
// cross-hair cursor. lpCreateParams of the control is the WaveImage it shows.
bool registerImageClass(HINSTANCE instance);
HWND addImage(HWND parent, int id, int x, int y, const WaveImage* image);
inline constexpr const char* kImageClassName = "TalvikImage";

}  // namespace talvik

namespace talvik {
// The window rectangle of that style with the client size, in the middle of the
// screen's work area.
RECT centredFrame(DWORD style, DWORD exStyle, int width, int height);
}  // namespace talvik
