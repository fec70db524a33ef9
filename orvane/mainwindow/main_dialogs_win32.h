// The modal boxes and dialogs of the main window, behind one interface held in its state so
// that tests answer them. Every message box is captioned with the application title.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "options.h"
#include "set_registry.h"
#include "sets_dialog_host.h"
#include "sets_dialog_model.h"

namespace orvane {

class MainDialogs {
  public:
    virtual ~MainDialogs() = default;
    // MessageBoxA with the application title; returns the button pressed.
    virtual int Message(HWND owner, std::string_view text, UINT type) = 0;
    // An input box captioned with the application title; nothing when cancelled.
    virtual std::optional<std::string> Input(HWND owner, std::string_view prompt,
                                             std::string_view answer) = 0;
    // TProperDlg on these options; false when cancelled (options then unchanged).
    virtual bool Properties(HWND owner, const std::string& caption, TOptions& options) = 0;
    // TSetsForm over the model; its New asks through host.
    virtual void Sets(HWND owner, TSetsDialogModel& model, SetsDialogHost& host) = 0;
    // TNewSetForm; nothing when cancelled.
    virtual std::optional<TSetRecord> NewSet(HWND owner) = 0;
    // The font dialog from font; apply is called for OK and for the dialog's Apply button.
    virtual void PickFont(HWND owner, LOGFONTA font, void (*apply)(HWND, const LOGFONTA&),
                          HWND applyTo) = 0;
    // "Find WinPlay3 ..."; nothing when cancelled.
    virtual std::optional<std::string> FindPlayer(HWND owner) = 0;
};

// The dialogs on the desktop: the resource dialogs of the program and the common dialogs.
class DesktopDialogs final : public MainDialogs {
  public:
    int Message(HWND owner, std::string_view text, UINT type) override;
    std::optional<std::string> Input(HWND owner, std::string_view prompt,
                                     std::string_view answer) override;
    bool Properties(HWND owner, const std::string& caption, TOptions& options) override;
    void Sets(HWND owner, TSetsDialogModel& model, SetsDialogHost& host) override;
    std::optional<TSetRecord> NewSet(HWND owner) override;
    void PickFont(HWND owner, LOGFONTA font, void (*apply)(HWND, const LOGFONTA&),
                  HWND applyTo) override;
    std::optional<std::string> FindPlayer(HWND owner) override;
};

}  // namespace orvane
