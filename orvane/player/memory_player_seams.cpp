#include "memory_player_seams.h"

namespace orvane {

void MemoryPlayerWindow::Show(bool v) {
    ++showCalls;
    if (exists)
        visible = v;
}

void MemoryPlayerWindow::SetTopMost(bool t) {
    ++topMostCalls;
    if (exists)
        topMost = t;
}

void MemoryPlayerWindow::Place(int px, int py, bool t) {
    if (!exists)
        return;
    x = px;
    y = py;
    topMost = t;
    visible = true;
}

void MemoryPlayerWindow::Close() {
    ++closeCalls;
    exists = false;
}

bool MemoryPlayerShell::FileExists(const std::string& fileName) const {
    return files.count(fileName) != 0;
}

void MemoryPlayerShell::OpenFile(const std::string& fileName, bool show) {
    opened.push_back({fileName, show});
    if (startsPlayer && !startsPlayer->exists) {
        startsPlayer->exists = true;
        startsPlayer->visible = show;
    }
}

void MemoryPlayerShell::RunProgram(const std::string& commandLine) {
    programs.push_back(commandLine);
}

bool MemoryScreenSaver::Running(bool closeIt) {
    if (running && closeIt)
        ++closeRequests;
    return running;
}

}  // namespace orvane
