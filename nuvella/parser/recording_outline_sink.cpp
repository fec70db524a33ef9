#include "recording_outline_sink.h"

namespace nuvella {

void RecordingOutlineSink::setRedraw(bool on) {
    redrawCalls.push_back(on);
}

OutlineItem RecordingOutlineSink::insert(OutlineItem parent, OutlineKind kind,
                                         std::string_view label, const IssueLine* start) {
    RecordedEntry recorded;
    recorded.parent = parent;
    recorded.kind = kind;
    recorded.label.assign(label);
    recorded.start = start;
    recorded.depth = parent == kOutlineRoot ? 0 : entry(parent).depth + 1;
    entries.push_back(std::move(recorded));
    return entries.size();
}

void RecordingOutlineSink::markHasChildren(OutlineItem item) {
    entries.at(item - 1).hasChildren = true;
}

}  // namespace nuvella
