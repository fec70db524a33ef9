// The recorder's modal questions to the user and its process start, behind one
// interface held in the window state: the program uses the system's dialogs,
// the test harness answers from a script.
#pragma once

#include <windows.h>

#include <commdlg.h>

#include <string>

namespace brevant {

class RecorderDialogs {
  public:
    virtual ~RecorderDialogs() = default;
    // `caption` may be null: the system's default caption.
    virtual int messageBox(HWND owner, const std::string& text, const char* caption, UINT type) = 0;
    virtual bool openFileName(OPENFILENAMEA& request) = 0;
    virtual bool saveFileName(OPENFILENAMEA& request) = 0;
    // One of the recorder's own modal dialogs (Preferences, MIDI, Render).
    virtual INT_PTR modalDialog(HWND owner, int resource, DLGPROC procedure, LPARAM parameter) = 0;
    // Starts a program and does not wait for it.
    virtual void startProcess(const std::string& commandLine) = 0;
};

// The platform's own dialogs and CreateProcessA.
class SystemDialogs final : public RecorderDialogs {
  public:
    int messageBox(HWND owner, const std::string& text, const char* caption, UINT type) override;
    bool openFileName(OPENFILENAMEA& request) override;
    bool saveFileName(OPENFILENAMEA& request) override;
    INT_PTR modalDialog(HWND owner, int resource, DLGPROC procedure, LPARAM parameter) override;
    void startProcess(const std::string& commandLine) override;
};

}  // namespace brevant
