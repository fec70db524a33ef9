// What the live engines need of the recorder's panels: the transport buttons,
// time and status fields, the position slider, the display timer, message
// boxes and the take's file dialog. The mixer panel implements it; tests
// record what it was told.
#pragma once

#include <optional>
#include <string>

#include "message_sink.h"

namespace brevant {

// Controls of the transport panel and the mixer that the engines change.
enum class TransportControl : int {
    Record = 1004,
    StopRecord = 1008,
    StopPlay = 1007,
    Play = 1026,
    AddTrack = 1027,
    RemoveTrack = 1035,
    RecordTime = 1009,
    PlayTime = 1010,
    Lag = 1024,
    Status = 1074,
    Position = 1072,
};

class TransportView : public MessageSink {
public:
    // showMessage(text, caption): an empty caption is shown empty.
    // A box with the system's default caption (the stop's messages).
    virtual void showDefaultCaption(const std::string& text) = 0;
    // A box with the warning icon.
    virtual void showWarning(const std::string& text, const std::string& caption) = 0;
    virtual void enable(TransportControl control, bool on) = 0;
    virtual void setText(TransportControl control, const std::string& text) = 0;
    // The position slider runs 0..high.
    virtual void setPositionRange(int high) = 0;
    virtual void setPosition(int seconds) = 0;
    // The 500 ms display timer; each tick comes back as onTimerTick.
    virtual void startDisplayTimer() = 0;
    virtual void killDisplayTimer() = 0;
    virtual void focusMainWindow() = 0;
    // The save dialog for a take, starting at `initialPath`; nothing on cancel.
    virtual std::optional<std::string> chooseTakePath(const std::string& title, const std::string& initialPath) = 0;
    // A take joined the song: refresh the mixer and status bar.
    virtual void songChanged() = 0;
};

}  // namespace brevant
