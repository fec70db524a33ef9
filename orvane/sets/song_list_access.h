// The parts of the song list that playing reads and changes. The list model (or the
// window's list control) implements it; positions are 0-based.
#pragma once

#include <string_view>

#include "song_entry.h"

namespace orvane {

class SongListAccess {
public:
    virtual ~SongListAccess() = default;
    virtual int Count() const = 0;
    virtual const TSongEntry& Entry(int index) const = 0;
    virtual void SetStateImage(int index, int image) = 0;
    virtual void SetUsedFlag(int index, std::string_view flag) = 0;
    virtual bool IsSelected(int index) const = 0;
    virtual void SetSelected(int index, bool selected) = 0;
    virtual int CurrentIndex() const = 0;
    virtual void SetCurrentIndex(int index) = 0;
    // Shuffles the order and checks No Sort.
    virtual void Randomize() = 0;
    virtual void UpdateListCommands() = 0;
    virtual void ScrollIntoView(int index) = 0;
};

}  // namespace orvane
