#include "song_list_play_access.h"

namespace orvane {

TSongListPlayAccess::TSongListPlayAccess(TSongList& list, TRandomSource& random,
                                         std::function<void(const TListCommands&)> onCommandsChanged,
                                         std::function<void(int)> onScroll)
    : list_(list), random_(random), onCommandsChanged_(std::move(onCommandsChanged)), onScroll_(std::move(onScroll))
{
}

void TSongListPlayAccess::SetStateImage(int index, int image)
{
    if (index >= 0 && index < list_.Count()) list_.MutableEntry(index).stateImage = image;
}

void TSongListPlayAccess::SetUsedFlag(int index, std::string_view flag)
{
    if (index >= 0 && index < list_.Count()) list_.MutableEntry(index).usedFlag = std::string(flag);
}

void TSongListPlayAccess::UpdateListCommands()
{
    const TListCommands commands = list_.UpdateListCommands();
    if (onCommandsChanged_) onCommandsChanged_(commands);
}

void TSongListPlayAccess::ScrollIntoView(int index)
{
    list_.SetFocusIndex(index);
    if (onScroll_) onScroll_(index);
}

}  // namespace orvane
