// A song list over plain vectors, for the play tests.
#pragma once

#include <algorithm>
#include <deque>
#include <set>
#include <string>
#include <vector>

#include "play_host.h"
#include "song_list_access.h"
#include "test_entries.h"

namespace orvane {

class FakeSongList : public SongListAccess {
public:
    explicit FakeSongList(int count) {
        for (int i = 0; i < count; ++i) {
            rows.push_back(MakeEntry("s" + std::to_string(i + 1) + ".mp3", "C:\\M\\"));
        }
        selected.assign(rows.size(), false);
    }
    int Count() const override { return static_cast<int>(rows.size()); }
    const TSongEntry& Entry(int i) const override { return rows.at(static_cast<std::size_t>(i)); }
    void SetStateImage(int i, int image) override { rows.at(static_cast<std::size_t>(i)).stateImage = image; }
    void SetUsedFlag(int i, std::string_view flag) override {
        rows.at(static_cast<std::size_t>(i)).usedFlag = std::string(flag);
    }
    bool IsSelected(int i) const override { return selected.at(static_cast<std::size_t>(i)); }
    void SetSelected(int i, bool s) override { selected.at(static_cast<std::size_t>(i)) = s; }
    int CurrentIndex() const override { return current; }
    void SetCurrentIndex(int i) override { current = i; }
    void Randomize() override {
        ++randomized;
        std::reverse(rows.begin(), rows.end());  // a known new order
        selected.assign(rows.size(), false);
    }
    void UpdateListCommands() override { ++updates; }
    void ScrollIntoView(int i) override { scrolledTo = i; }

    std::vector<TSongEntry> rows;
    std::vector<bool> selected;
    int current = -1;
    int randomized = 0;
    int updates = 0;
    int scrolledTo = -2;
};

class FakePlayHost : public PlayHost {
public:
    void OpenWithPlayer(const std::string& file) override { opened.push_back(file); }
    void ShowMessage(std::string_view text, TMessageIcon) override {
        messages.emplace_back(text);
    }
    void HideMainWindow() override { ++hidden; }
    bool FileExists(const std::string& path) const override {
        return allExist ? missing.count(path) == 0 : false;
    }
    void RefreshFileList() override { ++refreshed; }
    int PickRandom(int count) override {
        lastRandomRange = count;
        if (picks.empty()) return 0;
        const int pick = picks.front();
        picks.pop_front();
        return pick;
    }

    bool allExist = true;
    std::set<std::string> missing;
    std::deque<int> picks;
    std::vector<std::string> opened;
    std::vector<std::string> messages;
    int hidden = 0;
    int refreshed = 0;
    int lastRandomRange = 0;
};

}  // namespace orvane
