#include "command_rules.h"

#include "resource.h"

namespace brevant {
namespace {

std::string quotedWhenSpaced(const std::string& part) {
    const bool quoted = part.size() >= 2 && part.front() == '"' && part.back() == '"';
    if (quoted || part.find_first_of(" \t") == std::string::npos)
        return part;
    return '"' + part + '"';
}

bool transportRuns(TransportState state) {
    return state.playing || state.recording || state.midiPlaying;
}

}  // namespace

bool commandEnabled(int command, TransportState state) {
    switch (command) {
        case IDM_RENDER:
        case IDC_ADDTRACK:
        case IDC_REMOVETRACK:
            return !transportRuns(state);
        default:
            return true;
    }
}

bool stopsTransportBeforePrompt(int command, TransportState state) {
    const bool take = state.recording || state.takeWaiting;
    switch (command) {
        case IDM_NEW:
        case IDM_OPEN:
            return take || transportRuns(state);
        case IDM_EXIT:
            return take;
        default:
            return false;
    }
}

std::string editorCommandLine(const std::string& editorPath, const std::string& trackPath) {
    return quotedWhenSpaced(editorPath) + " " + quotedWhenSpaced(trackPath);
}

}  // namespace brevant
