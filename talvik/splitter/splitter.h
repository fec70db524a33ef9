// The sample splitter's engine. A window reads its controls into SplitterSettings,
// calls one function per button, and shows what view() returns: label texts, enabled
// states, the "Save?" box and the two waveform pictures. File failures throw
// FileError; the command stops there and the window stays usable.
#pragma once

#include <cstdint>
#include <exception>
#include <string>
#include <vector>

#include "beeper.h"
#include "copy_sound.h"
#include "sound_table.h"
#include "splitter_settings.h"
#include "track_analyzer.h"
#include "wave_image.h"

namespace talvik {

inline constexpr const char* kFileDoesNotExist = "File does not exist!";

struct SplitterView {
    std::string trackLabel = "1";  // beside "Track"
    std::string foundLabel = "0";  // beside "Samples found:"
    std::string soundLabel = "0";  // beside "Sample"
    bool viewPreviousEnabled = false;
    bool viewNextEnabled = false;
    bool splitSaveEnabled = false;
    bool saveChecked = true;
    WaveImage overview;
    WaveImage sound;
};

// Called by Auto-mode around each track.
class AutoModeObserver {
  public:
    virtual ~AutoModeObserver() = default;
    virtual void trackStarted(int /*track*/) {}
    virtual void trackAnalyzed(int /*track*/) {}
    virtual void trackSaved(int /*track*/, int /*filesWritten*/) {}
    virtual void progress(std::int64_t /*done*/, std::int64_t /*total*/) {}
    // Only with AutoModeOptions::checkExists: the track file is missing.
    virtual void trackMissing(int /*track*/, const std::string& /*name*/) {}
    // Only with AutoModeOptions::goOnAfterFailure: the track failed, the run goes on.
    virtual void trackFailed(int /*track*/, const std::exception& /*error*/) {}
};

// How Auto-mode runs; the defaults are the window's: stop at the first failure.
struct AutoModeOptions {
    bool goOnAfterFailure = false;  // report a failing track to the observer and go on
    bool checkExists = false;       // report a missing track file instead of failing on it
    bool analyzeOnly = false;       // write nothing
};

// The message for Split&save with a 16-bit save format after an 8-bit analysis.
inline constexpr const char* kNeeds16BitTrack =
    "The 16-bit save format needs a track analysed as 16-bit: analyse it again.";

class Splitter {
  public:
    Splitter(Beeper& beeper, const SplitterSettings& initial);

    const SplitterView& view() const { return view_; }
    const SoundTable& sounds() const { return table_; }
    int currentTrack() const { return currentTrack_; }
    int currentSound() const { return currentSound_; }
    // Name of the track file the sound table belongs to; empty before any analysis.
    const std::string& analyzedFile() const { return analyzedFile_; }

    // "Starttrack" changed: the current track follows it.
    void startTrackChanged(int startTrack) { currentTrack_ = startTrack; }
    // "Analyze": false, and nothing done, when the track file does not exist; the
    // window then shows kFileDoesNotExist in its warning window.
    bool analyze(const SplitterSettings& settings, const ProgressFn& progress = {});
    // "Analyze next": the next track, without the existence test.
    void analyzeNext(const SplitterSettings& settings, const ProgressFn& progress = {});
    void viewPrevious(const SplitterSettings& settings);
    void viewNext(const SplitterSettings& settings);
    // "Save?" clicked.
    void saveClicked(bool checked);
    // "Split&save": returns the number of files written. The sounds are read in the format
    // they were analysed in; a 16-bit save format after an 8-bit analysis throws
    // FileError(kNeeds16BitTrack) before anything is written.
    int splitAndSave(const SplitterSettings& settings, const ProgressFn& progress = {});
    // "Auto-mode": analyse and save every track of the range; stops at the first failure
    // unless told to go on. Returns false when some track failed or was missing.
    bool autoMode(const SplitterSettings& settings, AutoModeObserver* observer = nullptr,
                  const AutoModeOptions& options = {});
    // "Min. size" committed with a new value: the shorter sounds are unmarked, and the
    // found label and "Save?" show it.
    void minSizeChanged(const SplitterSettings& settings);

    // The step Analyze next and Auto-mode share: analyse the current track.
    void analyzeCurrentTrack(const SplitterSettings& settings, const ProgressFn& progress = {});
    void setCurrentTrack(int track) { currentTrack_ = track; }

  private:
    void showCurrentSound(SampleFormat save);

    Beeper& beeper_;
    SplitterView view_;
    SoundTable table_;
    std::vector<Sound> found_;
    TrackAnalyzer analyzer_;
    CopyBuffer copyBuffer_;
    int currentTrack_ = 1;
    int currentSound_ = 0;
    // The sounds are positions in one file: saving and drawing use that file and its
    // format, whatever the controls say by then.
    std::string analyzedFile_;
    SampleFormat analyzedLoad_ = SampleFormat::Raw8;
    int analyzedTrack_ = 0;
};

}  // namespace talvik
