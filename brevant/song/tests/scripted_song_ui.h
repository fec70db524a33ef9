// A SongUi that records what it was shown and answers from a script.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "song_ui.h"

namespace brevant::testing {

struct Shown {
    std::string text;
    std::string caption;
    bool operator==(const Shown&) const = default;
};

class ScriptedSongUi : public SongUi {
public:
    void showMessage(const std::string& text, const std::string& caption) override {
        messages.push_back({text, caption});
    }
    Answer askYesNoCancel(const std::string& text, const std::string& caption) override {
        questions.push_back({text, caption});
        Answer a = answers.empty() ? Answer::Cancel : answers.front();
        if (!answers.empty()) answers.pop_front();
        return a;
    }
    std::optional<std::string> chooseFileToOpen(const std::string& dialogTitle, FileKind) override {
        dialogTitles.push_back(dialogTitle);
        return nextPath();
    }
    std::optional<std::string> chooseFileToSave(const std::string& dialogTitle, FileKind) override {
        dialogTitles.push_back(dialogTitle);
        return nextPath();
    }
    void setTitle(const std::string& t) override { title = t; }

    std::vector<Shown> messages;
    std::vector<Shown> questions;
    std::deque<Answer> answers;
    std::deque<std::optional<std::string>> paths;
    std::vector<std::string> dialogTitles;
    std::string title;

private:
    std::optional<std::string> nextPath() {
        if (paths.empty()) return std::nullopt;
        auto p = paths.front();
        paths.pop_front();
        return p;
    }
};

}  // namespace brevant::testing
