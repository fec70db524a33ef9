// Lets the play commands of the sets module work on the list model: the
// SongListAccess they expect, over a TSongList.
#pragma once

#include "song_list.h"
#include "song_list_access.h"

#include <functional>

namespace orvane {

class TSongListPlayAccess final : public SongListAccess {
public:
    // random shuffles for Randomize; onCommandsChanged hears the enabled
    // commands after UpdateListCommands; onScroll brings an entry into view.
    // All three must outlive this object; the callbacks may be empty.
    TSongListPlayAccess(TSongList& list, TRandomSource& random,
                        std::function<void(const TListCommands&)> onCommandsChanged = {},
                        std::function<void(int)> onScroll = {});

    int Count() const override { return list_.Count(); }
    const TSongEntry& Entry(int index) const override { return list_.Entry(index); }
    void SetStateImage(int index, int image) override;
    void SetUsedFlag(int index, std::string_view flag) override;
    bool IsSelected(int index) const override { return list_.IsSelected(index); }
    void SetSelected(int index, bool selected) override { list_.SetSelected(index, selected); }
    int CurrentIndex() const override { return list_.CurrentIndex(); }
    void SetCurrentIndex(int index) override { list_.SetCurrentIndex(index); }
    void Randomize() override { list_.Randomize(random_); }
    void UpdateListCommands() override;
    void ScrollIntoView(int index) override;

private:
    TSongList& list_;
    TRandomSource& random_;
    std::function<void(const TListCommands&)> onCommandsChanged_;
    std::function<void(int)> onScroll_;
};

}  // namespace orvane
