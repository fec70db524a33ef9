#include "splitter.h"

#include "draw_range.h"
#include "file_error.h"
#include "file_names.h"
#include "labels.h"
#include "split_and_save.h"

namespace talvik {

Splitter::Splitter(Beeper& beeper, const SplitterSettings& initial)
    : beeper_(beeper), currentTrack_(initial.startTrack) {}

bool Splitter::analyze(const SplitterSettings& settings, const ProgressFn& progress) {
    const std::string name = TrackFileName(settings.load, currentTrack_, settings.sourceDir);
    CheckNameLength(name);  // "too long" rather than "does not exist"
    if (!TrackFileExists(name)) {
        return false;
    }
    analyzeCurrentTrack(settings, progress);
    return true;
}

void Splitter::analyzeNext(const SplitterSettings& settings, const ProgressFn& progress) {
    ++currentTrack_;
    analyzeCurrentTrack(settings, progress);
}

void Splitter::analyzeCurrentTrack(const SplitterSettings& settings, const ProgressFn& progress) {
    beeper_.beep();
    if (Is16Bit(settings.load)) {
        beeper_.beep();
    }
    const std::string name = TrackFileName(settings.load, currentTrack_, settings.sourceDir);
    TrackFile track(name);
    const TriggerParams params =
        TriggerParams::Make(settings.load, settings.noisePercent, settings.silence);
    analyzer_.analyze(track, params, found_, &view_.overview, progress);

    table_.replace(found_);
    analyzedFile_ = name;
    analyzedLoad_ = settings.load;
    analyzedTrack_ = currentTrack_;
    if (settings.autoSkip) {
        table_.applyMinSize(settings.minSize, settings.save);
    }
    view_.foundLabel = FoundLabel(table_.markedCount(), table_.count());
    currentSound_ = 0;
    view_.splitSaveEnabled = true;
    view_.viewNextEnabled = table_.count() > 0;
    view_.viewPreviousEnabled = false;
    const std::int64_t found = table_.totalLength() * (Is16Bit(settings.save) ? 2 : 1);
    view_.trackLabel = TrackLabel(currentTrack_, track.sizeBytes(), found);
    if (table_.count() > 0) {
        showCurrentSound(settings.save);
    } else {
        view_.soundLabel.assign(1, '0');  // the start-up text
        view_.sound.clear();
    }
    beeper_.beep();
}

void Splitter::showCurrentSound(SampleFormat save) {
    const Sound& s = table_.sound(currentSound_);
    view_.soundLabel = SoundLabel(currentSound_ + 1, s.length(), analyzedLoad_, save);
    if (currentSound_ == table_.count() - 1) {
        view_.viewNextEnabled = false;
    }
    // Before the drawing, which may fail: the box must never show the previous sound's mark.
    view_.saveChecked = table_.saveFlag(currentSound_);
    TrackFile track(analyzedFile_);
    DrawTrackRange(track, analyzedLoad_, s.start, s.length() + 1, view_.sound, analyzer_.buffer());
}

void Splitter::viewPrevious(const SplitterSettings& settings) {
    if (currentSound_ <= 0 || currentSound_ >= table_.count()) {
        return;
    }
    --currentSound_;
    view_.viewNextEnabled = true;
    showCurrentSound(settings.save);
    view_.soundLabel =
        SoundLabelAfterPrevious(currentSound_ + 1, table_.sound(currentSound_).length());
    if (currentSound_ == 0) {
        view_.viewPreviousEnabled = false;
    }
}

void Splitter::viewNext(const SplitterSettings& settings) {
    if (currentSound_ + 1 >= table_.count()) {
        return;
    }
    ++currentSound_;
    view_.viewPreviousEnabled = true;
    showCurrentSound(settings.save);
}

void Splitter::saveClicked(bool checked) {
    view_.saveChecked = checked;
    if (currentSound_ < table_.count()) {
        table_.setSaveFlag(currentSound_, checked);
    }
}

int Splitter::splitAndSave(const SplitterSettings& settings, const ProgressFn& progress) {
    if (analyzedFile_.empty()) {
        return 0;
    }
    if (Is16Bit(settings.save) && !Is16Bit(analyzedLoad_)) {
        throw FileError(kNeeds16BitTrack);
    }
    return SplitAndSave(analyzedFile_, analyzedLoad_, analyzedTrack_, table_, settings, copyBuffer_,
                        beeper_, progress);
}

bool Splitter::autoMode(const SplitterSettings& settings, AutoModeObserver* observer,
                        const AutoModeOptions& options) {
    AutoModeObserver quiet;
    AutoModeObserver& watch = observer != nullptr ? *observer : quiet;
    ProgressFn progress;
    if (observer != nullptr) {
        progress = [observer](std::int64_t done, std::int64_t total) {
            observer->progress(done, total);
        };
    }
    bool allDone = true;
    for (int t = settings.startTrack; t <= settings.endTrack; ++t) {
        currentTrack_ = t;
        watch.trackStarted(t);
        try {
            if (options.checkExists) {
                const std::string name = TrackFileName(settings.load, t, settings.sourceDir);
                if (!TrackFileExists(name)) {
                    watch.trackMissing(t, name);
                    allDone = false;
                    continue;
                }
            }
            analyzeCurrentTrack(settings, progress);
            watch.trackAnalyzed(t);
            if (!options.analyzeOnly) {
                const int written = splitAndSave(settings, progress);
                watch.trackSaved(t, written);
            }
        } catch (const std::exception& e) {
            if (!options.goOnAfterFailure) {
                throw;
            }
            watch.trackFailed(t, e);
            allDone = false;
        }
    }
    if (settings.startTrack <= settings.endTrack) {
        currentTrack_ = settings.endTrack + 1;
    }
    return allDone;
}

void Splitter::minSizeChanged(const SplitterSettings& settings) {
    table_.applyMinSize(settings.minSize, settings.save);
    // Shown at once: a mark taken away unseen would be lost at the next Split&save.
    view_.foundLabel = FoundLabel(table_.markedCount(), table_.count());
    if (currentSound_ < table_.count()) {
        view_.saveChecked = table_.saveFlag(currentSound_);
    }
}

}  // namespace talvik
