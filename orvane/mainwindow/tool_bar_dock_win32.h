// The main window's dockable tool bar: docked along the window's edge, or floating in a small
// sizeable tool window owned by the main window. The bar itself never changes; only its
// parent does, and it keeps sending its commands and notices to the main window.
#pragma once

#include <windows.h>

#include <string_view>

namespace orvane {

struct TMainForm;

// The floating window's caption.
inline constexpr std::string_view kToolBarCaption = "Orvane Manager 1.0 Beta 2";

bool ToolBarFloating(const TMainForm& form);
// The gesture that floats a docked bar: dragging its empty part off the window.
void HookToolBarDrag(TMainForm& form);
// Floats the bar in its tool window at the stored floating position ("FTop", "FLeft"), the
// given screen point when none is stored. Nothing while the bar is locked.
void FloatToolBar(TMainForm& form, POINT fallback);
// Puts the bar back on the main window, writing the floating position first.
void DockToolBar(TMainForm& form);
// "LockToolBar": a locked bar is docked and cannot be dragged off.
void LockToolBar(TMainForm& form, bool locked);
// A floating bar shows with the main window (called as it shows).
void ShowFloatingToolBar(TMainForm& form);

}  // namespace orvane
