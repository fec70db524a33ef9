#include "window_settings.h"

#include <optional>

#include "file_names.h"

namespace talvik {

SettingsRecord MakeSettingsRecord(const DirectoryLists& lists, const SplitterSettings& s,
                                  NextCharFn next) {
    using R = SettingsRecord;
    R r;
    r.set(R::kSourceList, lists.source, next);
    r.set(R::kDestList, lists.destination, next);
    r.set(R::kSourceDir, s.sourceDir, next);
    r.set(R::kSaveDir, s.saveDir, next);
    r.set(R::kCreateDir, s.createDir, next);
    r.set(R::kSaveSuffix, s.saveSuffix, next);
    r.set(R::kSavePrefix, s.savePrefix, next);
    r.set(R::kStartTrack, std::to_string(s.startTrack), next);
    r.set(R::kEndTrack, std::to_string(s.endTrack), next);
    r.set(R::kNoise, std::to_string(s.noisePercent), next);
    r.set(R::kSilence, std::to_string(s.silence), next);
    r.set(R::kMinSize, std::to_string(s.minSize), next);
    return r;
}

namespace {

// What the list's change handler puts in the edit: a root keeps its one separator.
std::string Closed(const std::string& directory, NextCharFn next) {
    return EndsInSeparator(directory, next) ? directory : directory + kDirSeparator;
}

}  // namespace

std::vector<SettingsRecord::Field> ApplyStartupRecord(const SettingsRecord& record,
                                                      DirectoryLists& lists, SplitterSettings& s,
                                                      const DirectoryExists& exists,
                                                      NextCharFn next) {
    using R = SettingsRecord;
    std::vector<R::Field> notRestored;
    // The saved directory, or nothing when it is absent or cannot be trusted.
    auto directory = [&](R::Field f, bool closed) -> const std::string* {
        const std::optional<std::string>& saved = record.get(f);
        if (!saved || (saved->empty() && !closed)) {
            return nullptr;
        }
        if (saved->size() >= R::kFieldChars || (closed && !EndsInSeparator(*saved, next)) ||
            !exists(*saved)) {
            notRestored.push_back(f);
            return nullptr;
        }
        return &*saved;
    };
    if (const std::string* list = directory(R::kSourceList, false)) {
        lists.source = *list;
        s.sourceDir = Closed(*list, next);
    }
    if (const std::string* list = directory(R::kDestList, false)) {
        lists.destination = *list;
        s.saveDir = Closed(*list, next);
    }
    if (const std::string* text = directory(R::kSourceDir, true)) {
        s.sourceDir = *text;
    }
    if (const std::string* text = directory(R::kSaveDir, true)) {
        s.saveDir = *text;
    }
    auto apply = [&](R::Field f, std::string& target) {
        if (record.get(f)) {
            target = *record.get(f);
        }
    };
    apply(R::kCreateDir, s.createDir);
    apply(R::kSaveSuffix, s.saveSuffix);
    apply(R::kSavePrefix, s.savePrefix);
    return notRestored;
}

std::string NotRestoredMessage(const std::vector<SettingsRecord::Field>& fields) {
    std::string names;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        names += i == 0 ? "" : i + 1 == fields.size() ? " and " : ", ";
        switch (fields[i]) {
            case SettingsRecord::kSourceList:
                names += "Sourcedirectory";
                break;
            case SettingsRecord::kDestList:
                names += "Destinationdirectory";
                break;
            case SettingsRecord::kSourceDir:
                names += "Sourcedir";
                break;
            default:
                names += "Savedir";
                break;
        }
    }
    return "tvk.prf: " + names +
           " could not be restored (cut at 40 characters, or no such directory) and started "
           "as on a first start.";
}

}  // namespace talvik
