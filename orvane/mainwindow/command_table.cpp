#include "command_table.h"

namespace orvane {
namespace {

struct TControlName {
    std::string_view stem;
    int id;
};

// Menu items carry the stem of their button with "Item", "Item1" or "Item2".
constexpr std::array<TControlName, 17> kStems = {{
    {"Empty", IDM_EMPTY},
    {"Randomize", IDM_RANDOMIZE},
    {"DelAll", IDM_REMOVEALL},
    {"Del", IDM_REMOVE},
    {"Check", IDM_CHECK},
    {"Recycle", IDM_CLEANFLAG},
    {"PlayListHere", IDM_PLAYLISTHERE},
    {"PlayList", IDM_PLAYLIST},
    {"Play", IDM_PLAY},
    {"Prev", IDM_PREV},
    {"Next", IDM_NEXT},
    {"Shuffle", IDM_SHUFFLE},
    {"Random", IDM_RANDOM},
    {"Up", IDM_UP},
    {"Down", IDM_DOWN},
    {"Add", IDM_ADD},
    {"AddAll", IDM_ADDALL},
}};

std::string_view StemOf(std::string_view name) {
    for (std::string_view suffix : {"Btn", "Item2", "Item1", "Item"}) {
        if (name.size() > suffix.size() && name.ends_with(suffix)) {
            return name.substr(0, name.size() - suffix.size());
        }
    }
    return {};
}

}  // namespace

int CommandOfControl(std::string_view name) {
    const std::string_view stem = StemOf(name);
    for (const TControlName& control : kStems) {
        if (control.stem == stem)
            return control.id;
    }
    return 0;
}

std::string_view HintOfCommand(int id) {
    for (const auto& button : kToolBarButtons) {
        if (button.id == id)
            return button.hint;
    }
    for (const auto& button : kToolPanelButtons) {
        if (button.id == id)
            return button.hint;
    }
    for (const auto& item : kMenuHints) {
        if (item.id == id)
            return item.hint;
    }
    return {};
}

}  // namespace orvane
