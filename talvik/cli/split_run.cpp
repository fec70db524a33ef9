#include "split_run.h"

#include <exception>
#include <string>

#include "splitter.h"

namespace talvik {

namespace {

void PrintTrack(const Splitter& splitter, std::ostream& out) {
    const SplitterView& view = splitter.view();
    out << "track: " << view.trackLabel << '\n';
    out << "found: " << view.foundLabel << '\n';
    const SoundTable& table = splitter.sounds();
    for (int i = 0; i < table.count(); ++i) {
        const Sound& s = table.sound(i);
        out << "sound " << i + 1 << ": start " << s.start << " end " << s.end << " save "
            << (table.saveFlag(i) ? 1 : 0) << '\n';
    }
    out.flush();
}

// Prints what the engine's Auto-mode loop reports, in the companion's texts.
class SplitReport : public AutoModeObserver {
  public:
    SplitReport(const Splitter& splitter, std::ostream& out, std::ostream& err,
                SplitProgress* progress, int first, int last)
        : splitter_(splitter),
          out_(out),
          err_(err),
          progress_(progress),
          first_(first),
          last_(last) {}

    void trackStarted(int track) override {
        track_ = track;
        phase_ = "analysing";
    }
    void trackAnalyzed(int) override {
        clear();
        PrintTrack(splitter_, out_);
        phase_ = "saving";
    }
    void trackSaved(int, int) override { clear(); }
    void progress(std::int64_t done, std::int64_t total) override {
        if (progress_ != nullptr) {
            progress_->show(track_, first_, last_, phase_, done, total);
        }
    }
    void trackMissing(int, const std::string& name) override {
        clear();
        err_ << "File does not exist! " << name << '\n';
    }
    void trackFailed(int track, const std::exception& error) override {
        clear();
        err_ << "Track " << track << ": " << error.what() << '\n';
    }

  private:
    void clear() {
        if (progress_ != nullptr) {
            progress_->clear();
        }
    }

    const Splitter& splitter_;
    std::ostream& out_;
    std::ostream& err_;
    SplitProgress* progress_;
    int first_;
    int last_;
    int track_ = 0;
    const char* phase_ = "analysing";
};

}  // namespace

int RunSplit(const SplitOptions& options, std::ostream& out, std::ostream& err,
             SplitProgress* progress) {
    SilentBeeper beeper;
    const SplitterSettings& settings = options.settings;
    Splitter splitter(beeper, settings);
    SplitReport report(splitter, out, err, progress, settings.startTrack, settings.endTrack);
    AutoModeOptions run;
    run.goOnAfterFailure = true;
    run.checkExists = true;
    run.analyzeOnly = options.analyzeOnly;
    return splitter.autoMode(settings, &report, run) ? 0 : 1;
}

}  // namespace talvik
