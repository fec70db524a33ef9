#include "play_list.h"

#include <span>

#include "file_replace.h"

namespace orvane {

namespace {

int UsedImage(const TOptions& options) {
    return options.showUsedIcon ? kUsedImage : kNoStateImage;
}

int FirstSelected(const SongListAccess& list) {
    for (int i = 0; i < list.Count(); ++i) {
        if (list.IsSelected(i)) return i;
    }
    return -1;
}

void WriteText(const std::filesystem::path& path, const std::string& text) {
    ReplaceFileContent(path, std::span(reinterpret_cast<const std::uint8_t*>(text.data()),
                                       text.size()));
}

}  // namespace

std::filesystem::path PlayListFile(const std::filesystem::path& programFolder) {
    return programFolder / kPlayListFileName;
}

std::string FormatPlayList(const std::vector<std::string>& fileNames) {
    std::string text;
    for (const auto& name : fileNames) text += name + "\r\n";
    return text;
}

int WritePlayList(SongListAccess& list, PlayHost& host, const TOptions& options,
                  const std::filesystem::path& playListFile, bool selectedOnly, bool fromHere,
                  bool songListActive) {
    const int count = list.Count();
    if (count == 0) return 0;
    if (list.CurrentIndex() != -1) list.SetStateImage(list.CurrentIndex(), UsedImage(options));
    if (options.sequence == TPlaySequence::Random && !selectedOnly) list.Randomize();

    const int firstSelected = FirstSelected(list);
    const int start = (fromHere && songListActive && firstSelected != -1) ? firstSelected : 0;
    if (!selectedOnly && firstSelected != -1) list.SetSelected(firstSelected, false);

    std::vector<int> order;
    order.reserve(static_cast<std::size_t>(count));
    int selectAfter = start;
    switch (options.sequence) {
        case TPlaySequence::DownTop:
            for (int i = start; i >= 0; --i) order.push_back(i);
            for (int i = count - 1; i > start; --i) order.push_back(i);
            break;
        case TPlaySequence::Random:
            for (int i = 0; i < count; ++i) order.push_back(i);
            selectAfter = 0;
            break;
        case TPlaySequence::TopDown:
            for (int i = start; i < count; ++i) order.push_back(i);
            for (int i = 0; i < start; ++i) order.push_back(i);
            break;
    }

    std::vector<std::string> lines;
    for (int i : order) {
        if (selectedOnly && !list.IsSelected(i)) continue;
        std::string name = list.Entry(i).FullName();
        if (host.FileExists(name)) lines.push_back(std::move(name));
    }
    list.SetSelected(selectAfter, true);
    // The whole list is written at once: a failed write never leaves half a playlist.
    WriteText(playListFile, FormatPlayList(lines));
    list.ScrollIntoView(selectAfter);

    if (lines.empty()) {
        host.ShowMessage(kNoFileToPlayText, TMessageIcon::Error);
        return 0;
    }
    host.OpenWithPlayer(playListFile.string());
    if (options.autoMinimize) host.HideMainWindow();
    return static_cast<int>(lines.size());
}

}  // namespace orvane
