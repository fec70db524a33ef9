#include "window_settings.h"

#include "file_names.h"

namespace talvik {

SettingsRecord MakeSettingsRecord(const DirectoryLists& lists, const SplitterSettings& s) {
    using R = SettingsRecord;
    R r;
    r.set(R::kSourceList, lists.source);
    r.set(R::kDestList, lists.destination);
    r.set(R::kSourceDir, s.sourceDir);
    r.set(R::kSaveDir, s.saveDir);
    r.set(R::kCreateDir, s.createDir);
    r.set(R::kSaveSuffix, s.saveSuffix);
    r.set(R::kSavePrefix, s.savePrefix);
    r.set(R::kStartTrack, std::to_string(s.startTrack));
    r.set(R::kEndTrack, std::to_string(s.endTrack));
    r.set(R::kNoise, std::to_string(s.noisePercent));
    r.set(R::kSilence, std::to_string(s.silence));
    r.set(R::kMinSize, std::to_string(s.minSize));
    return r;
}

void ApplyStartupRecord(const SettingsRecord& record, DirectoryLists& lists, SplitterSettings& s) {
    using R = SettingsRecord;
    auto apply = [&](R::Field f, std::string& target) {
        if (record.get(f)) {
            target = *record.get(f);
        }
    };
    if (record.get(R::kSourceList)) {
        lists.source = *record.get(R::kSourceList);
        s.sourceDir = lists.source + kDirSeparator;
    }
    if (record.get(R::kDestList)) {
        lists.destination = *record.get(R::kDestList);
        s.saveDir = lists.destination + kDirSeparator;
    }
    apply(R::kSourceDir, s.sourceDir);
    apply(R::kSaveDir, s.saveDir);
    apply(R::kCreateDir, s.createDir);
    apply(R::kSaveSuffix, s.saveSuffix);
    apply(R::kSavePrefix, s.savePrefix);
}

}  // namespace talvik
