// A TransportView that records what the engines showed and answers the take
// dialog from a script.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "transport_view.h"

namespace brevant::testing {

struct Box {
    std::string text;
    std::string caption;  // "<default>" for the system's default caption
    bool warning = false;
    bool operator==(const Box&) const = default;
};

class FakeTransportView : public TransportView {
  public:
    void showMessage(const std::string& text, const std::string& caption) override {
        box({text, caption, false});
    }
    void showDefaultCaption(const std::string& text) override { box({text, "<default>", false}); }
    void showWarning(const std::string& text, const std::string& caption) override {
        box({text, caption, true});
    }
    void enable(TransportControl control, bool on) override { enabled[control] = on; }
    void setText(TransportControl control, const std::string& text) override {
        texts[control] = text;
        textHistory[control].push_back(text);
    }
    void setPositionRange(int high) override { positionHigh = high; }
    void setPosition(int seconds) override { position = seconds; }
    void startDisplayTimer() override {
        timer = true;
        ++timerStarts;
    }
    void killDisplayTimer() override { timer = false; }
    void focusMainWindow() override { ++focus; }
    std::optional<std::string> chooseTakePath(const std::string& title,
                                              const std::string& initialPath) override {
        dialogs.push_back(title + "|" + initialPath);
        if (takePaths.empty())
            return std::nullopt;
        auto p = takePaths.front();
        takePaths.pop_front();
        return p;
    }
    void songChanged() override { ++songChanges; }

    bool isEnabled(TransportControl c) const {
        const auto it = enabled.find(c);
        return it == enabled.end() || it->second;
    }
    std::string text(TransportControl c) const {
        const auto it = texts.find(c);
        return it == texts.end() ? std::string() : it->second;
    }

    // A box is modal: its message loop delivers what the test puts here.
    void box(const Box& b) {
        boxes.push_back(b);
        if (!onBox || inBox)
            return;
        inBox = true;
        onBox(b);
        inBox = false;
    }

    std::vector<Box> boxes;
    std::function<void(const Box&)> onBox;
    bool inBox = false;
    std::map<TransportControl, bool> enabled;
    std::map<TransportControl, std::string> texts;
    std::map<TransportControl, std::vector<std::string>> textHistory;
    int positionHigh = -1;
    int position = -1;
    bool timer = false;
    int timerStarts = 0;
    int focus = 0;
    std::deque<std::optional<std::string>> takePaths;
    std::vector<std::string> dialogs;
    int songChanges = 0;
};

}  // namespace brevant::testing
