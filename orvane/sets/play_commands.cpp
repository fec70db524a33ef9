#include "play_commands.h"

#include <vector>

#include "play_list.h"

namespace orvane {

namespace {

int UsedImage(const TOptions& options) {
    return options.showUsedIcon ? kUsedImage : kNoStateImage;
}

// Any position but current; the whole list when there is no current entry.
int PickOther(PlayHost& host, int count, int current) {
    if (current < 0 || current >= count) return host.PickRandom(count);
    int pick = host.PickRandom(count - 1);
    if (pick >= current) ++pick;
    return pick;
}

void MarkNowPlaying(SongListAccess& list, int index) {
    list.SetUsedFlag(index, "1");
    list.SetStateImage(index, kNowPlayingImage);
    list.SetCurrentIndex(index);
    list.UpdateListCommands();
}

}  // namespace

void Play(SongListAccess& list, PlayHost& host, const TOptions& options,
          const std::filesystem::path& playListFile, const TPlaySource& source) {
    int selectedCount = 0;
    int firstSelected = -1;
    if (source.songListActive) {
        for (int i = 0; i < list.Count(); ++i) {
            if (!list.IsSelected(i)) continue;
            if (firstSelected == -1) firstSelected = i;
            ++selectedCount;
        }
        if (firstSelected == -1 && list.CurrentIndex() == -1) return;
        for (int i = 0; i < list.Count(); ++i) {
            if (list.Entry(i).usedFlag == "1") list.SetStateImage(i, UsedImage(options));
        }
        MarkNowPlaying(list, firstSelected != -1 ? firstSelected : list.CurrentIndex());
    }
    if (selectedCount >= 2) {
        WritePlayList(list, host, options, playListFile, true, true, source.songListActive);
        return;
    }
    if (source.songListActive) {
        // With nothing selected the now-playing entry is played again.
        host.OpenWithPlayer(list.Entry(list.CurrentIndex()).FullName());
        return;
    }
    if (!source.fileListFile) return;
    if (!host.FileExists(*source.fileListFile)) host.RefreshFileList();
    host.OpenWithPlayer(*source.fileListFile);
}

int ChooseStep(const SongListAccess& list, PlayHost& host, TStep step) {
    const int count = list.Count();
    const int current = list.CurrentIndex();
    switch (step) {
        case TStep::Next:
            return (current + 1 >= count || current + 1 < 0) ? 0 : current + 1;
        case TStep::Previous:
            return (current - 1 < 0 || current - 1 >= count) ? count - 1 : current - 1;
        case TStep::Shuffle: {
            if (count == 1) return 0;
            std::vector<int> unplayed;
            for (int i = 0; i < count; ++i) {
                if (i != current && list.Entry(i).usedFlag == "0") unplayed.push_back(i);
            }
            if (unplayed.empty()) return PickOther(host, count, current);
            return unplayed[static_cast<std::size_t>(host.PickRandom(static_cast<int>(unplayed.size())))];
        }
        case TStep::Random:
            return count == 1 ? 0 : PickOther(host, count, current);
    }
    return 0;
}

void StepSong(SongListAccess& list, PlayHost& host, const TOptions& options, TStep step) {
    if (list.Count() == 0) return;
    if (list.CurrentIndex() != -1) list.SetStateImage(list.CurrentIndex(), UsedImage(options));
    const int next = ChooseStep(list, host, step);
    list.ScrollIntoView(next);
    MarkNowPlaying(list, next);
    host.OpenWithPlayer(list.Entry(next).FullName());
}

}  // namespace orvane
