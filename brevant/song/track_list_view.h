// The track list box as the song sees it: entries added in order, each add
// returning the entry's index, and one selected entry.
#pragma once

#include <string>
#include <vector>

namespace brevant {

class TrackListView {
public:
    virtual ~TrackListView() = default;
    virtual void clear() = 0;
    // Returns the index of the new entry.
    virtual int add(const std::string& text) = 0;
    virtual void select(int index) = 0;
    // -1 when nothing is selected.
    virtual int selection() const = 0;
};

// An unsorted list box, in memory: the behaviour the window's list box has.
class TrackListModel : public TrackListView {
public:
    void clear() override {
        entries_.clear();
        selected_ = -1;
    }
    int add(const std::string& text) override {
        entries_.push_back(text);
        return static_cast<int>(entries_.size()) - 1;
    }
    void select(int index) override { selected_ = index >= 0 && index < size() ? index : -1; }
    int selection() const override { return selected_; }

    int size() const { return static_cast<int>(entries_.size()); }
    const std::vector<std::string>& entries() const { return entries_; }

private:
    std::vector<std::string> entries_;
    int selected_ = -1;
};

}  // namespace brevant
