// What the splitter's windows ask of the system beyond their own controls: the beep,
// the error box and the start of another program. The windows hold it in their state,
// so the test harness can answer for the system.
#pragma once

#include <windows.h>

#include <string>

#include "beeper.h"

namespace talvik {

class TalvikHost : public Beeper {
  public:
    // A command failed: show its message; the window stays usable.
    virtual void showError(HWND owner, const std::string& text) = 0;
    // Tells the user something that went well but is worth knowing (where a file is kept).
    virtual void showNotice(HWND owner, const std::string& text) = 0;
    // Starts a program as WinExec does; false when it could not be started.
    virtual bool startProgram(const std::string& commandLine, int show) = 0;
};

// The real system: MessageBeep, MessageBoxA, WinExec.
class SystemHost final : public TalvikHost {
  public:
    void beep() override;
    void showError(HWND owner, const std::string& text) override;
    void showNotice(HWND owner, const std::string& text) override;
    bool startProgram(const std::string& commandLine, int show) override;
};

}  // namespace talvik
