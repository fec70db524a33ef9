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

}  // namespace

bool commandEnabled(int command, TransportState state) {
    if (command == IDM_RENDER)
        return !state.playing && !state.recording && !state.midiPlaying;
    return true;
}

bool stopsTakeBeforePrompt(int command, TransportState state) {
    return state.recording && (command == IDM_NEW || command == IDM_OPEN || command == IDM_EXIT);
}

std::string editorCommandLine(const std::string& editorPath, const std::string& trackPath) {
    return quotedWhenSpaced(editorPath) + " " + quotedWhenSpaced(trackPath);
}

}  // namespace brevant
