// The buttons of the tool bar and the tool panel in their order, with their hints, and the
// command each named control of the list commands belongs to.
#pragma once

#include <array>
#include <string_view>

#include "resource.h"

namespace orvane {

struct TButtonCommand {
    int id;
    std::string_view name;
    std::string_view hint;
    bool toggle = false;
};

inline constexpr std::array<TButtonCommand, 20> kToolBarButtons = {{
    {IDM_PLAY, "PlayBtn", "Play"},
    {IDM_PLAYLIST, "PlayListBtn", "Play list ..."},
    {IDM_STOP, "StopBtn", "Stop play..."},
    {IDM_VISIBLE, "VisibleBtn", "Set player visible", true},
    {IDM_TOPMOST, "TopMostBtn", "Set player always on top ", true},
    {IDM_BRINGUP, "BringupBtn", "Bringup Player"},
    {IDM_SHUTDOWN, "CloseBtn", "Shutdown Player"},
    {IDM_PREV, "PrevBtn", "Previous song..."},
    {IDM_NEXT, "NextBtn", "Next song..."},
    {IDM_SHUFFLE, "ShuffleBtn", "Shuffle play..."},
    {IDM_RANDOM, "RandomBtn", "Random play..."},
    {IDM_RANDOMIZE, "RandomizeBtn", "Randomize list"},
    {IDM_EMPTY, "EmptyBtn", "Empty list"},
    {IDM_VOLUME, "VolumeBtn", "Volume Control"},
    {IDM_RESET, "ResetBtn", "Reset panel size & location"},
    {IDM_SETS, "SetsBtn", "Sets configuration"},
    {IDM_PROPERTIES, "ProperBtn", "Properties ..."},
    {IDM_HIDE, "HideBtn", "Hide "},
    {IDM_EXIT, "ExitBtn", "Exit Orvane Manager..."},
    {IDM_ABOUT, "AboutBtn", "About ..."},
}};

inline constexpr std::array<TButtonCommand, 14> kToolPanelButtons = {{
    {IDM_ADD, "AddBtn", "Add ..."},
    {IDM_ADDALL, "AddAllBtn", "Add all ..."},
    {IDM_REMOVE, "DelBtn", "Remove ..."},
    {IDM_REMOVEALL, "DelAllBtn", "Remove all..."},
    {IDM_UP, "UpBtn", "Move the entry up ..."},
    {IDM_DOWN, "DownBtn", "Move the entry down ..."},
    {IDM_CHECK, "CheckBtn", "Check file validity"},
    {IDM_CLEANFLAG, "RecycleBtn", "Clean file usage flag ..."},
    {IDM_NEWTAG, "NewBtn", "New Tag..."},
    {IDM_SAVETAG, "SaveBtn", "Save tag"},
    {IDM_UNDO, "UndoBtn", "Undo"},
    {IDM_COPY, "CopyBtn", "Copy to Clipboard"},
    {IDM_CUT, "CutBtn", "Cut"},
    {IDM_PASTE, "PasteBtn", "Paste from Clipboard"},
}};

// Menu items with a hint of their own (no button carries them).
inline constexpr std::array<TButtonCommand, 1> kMenuHints = {{
    {IDM_SORTALWAYS, "SortAlways", "Automatic sort when data update..."},
}};

// The command of a control named by the list model ("EmptyBtn", "PlayListItem2" ...);
// 0 for a name of no command. Buttons and menu items of one command share its id.
int CommandOfControl(std::string_view name);
// The hint of a button command or a menu item, empty for none.
std::string_view HintOfCommand(int id);

}  // namespace orvane
