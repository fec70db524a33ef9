// The dockable tool bar's section "ToolBar" in the settings store: read once after the main
// window is built, written when it is destroyed; "FTop"/"FLeft" when it docks and undocks.
#pragma once
#include <string_view>

#include "settings_store.h"

namespace orvane {

inline constexpr std::string_view kToolBarComponentName = "ToolBar";

// The stored alignment numbers.
enum class TToolBarAlign { None = 0, Top = 1, Bottom = 2, Left = 3, Right = 4, Client = 5 };

struct TToolBarState {
    bool docked = true;
    // The docked placement; while floating, the one it takes when docked again.
    TToolBarAlign align = TToolBarAlign::Top;
    int top = 0;
    int left = 0;
    int width = 0;
    int height = 0;
    // The floating tool window's position.
    int floatTop = 0;
    int floatLeft = 0;

    bool operator==(const TToolBarState&) const = default;
};

// The initial read: every value defaults to the current one; docked reads only what its
// side needs, floating reads the remembered docked placement and the floating position.
TToolBarState ReadToolBarState(const SettingsStore& store, const TToolBarState& current);

// The final write: "Docked", then "Align", "Top", "Left", "Width", "Height".
void WriteToolBarState(SettingsStore& store, const TToolBarState& state);

// Docking writes the floating window's position; undocking reads it.
void WriteFloatingPosition(SettingsStore& store, int floatTop, int floatLeft);
void ReadFloatingPosition(const SettingsStore& store, int& floatTop, int& floatLeft);

}  // namespace orvane
