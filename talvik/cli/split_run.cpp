#include "split_run.h"

#include <exception>

#include "file_names.h"
#include "splitter.h"
#include "track_file.h"

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

}  // namespace

int RunSplit(const SplitOptions& options, std::ostream& out, std::ostream& err,
             SplitProgress* progress) {
    SilentBeeper beeper;
    const SplitterSettings& settings = options.settings;
    Splitter splitter(beeper, settings);
    int status = 0;
    const int first = settings.startTrack;
    const int last = settings.endTrack;
    for (int t = first; t <= last; ++t) {
        splitter.setCurrentTrack(t);
        const std::string name = TrackFileName(settings.load, t, settings.sourceDir);
        auto report = [&](const char* phase) -> ProgressFn {
            if (progress == nullptr) {
                return {};
            }
            return [=](std::int64_t done, std::int64_t total) {
                progress->show(t, first, last, phase, done, total);
            };
        };
        try {
            if (!TrackFileExists(name)) {
                if (progress != nullptr)
                    progress->clear();
                err << "File does not exist! " << name << '\n';
                status = 1;
                continue;
            }
            splitter.analyzeCurrentTrack(settings, report("analysing"));
            if (progress != nullptr)
                progress->clear();
            PrintTrack(splitter, out);
            if (!options.analyzeOnly) {
                splitter.splitAndSave(settings, report("saving"));
                if (progress != nullptr)
                    progress->clear();
            }
        } catch (const std::exception& e) {
            if (progress != nullptr)
                progress->clear();
            err << "Track " << t << ": " << e.what() << '\n';
            status = 1;
        }
    }
    return status;
}

}  // namespace talvik
