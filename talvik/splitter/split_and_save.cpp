#include "split_and_save.h"

#include "file_names.h"
#include "system_files.h"

namespace talvik {

int SplitAndSave(const std::string& trackFileName, SampleFormat load, int track,
                 const SoundTable& sounds, const SplitterSettings& settings, CopyBuffer& buffer,
                 Beeper& beeper, const ProgressFn& progress) {
    beeper.beep();
    int written = 0;
    {
        TrackFile file(trackFileName);
        const std::string dir = TrackDirName(settings.saveDir, settings.createDir, track);
        const std::int64_t total = sounds.totalLength() * BytesPerSample(load);
        std::int64_t done = 0;
        for (int i = 0; i < sounds.count(); ++i) {
            const Sound& s = sounds.sound(i);
            done += s.length() * BytesPerSample(load);
            if (!sounds.saveFlag(i)) {
                continue;
            }
            CheckNameLength(dir);
            // One level only; when it exists already or its parent is missing, the copy
            // below reports what matters.
            MakeDirectory(dir);
            CopySound(file, s.start, s.end, load, settings.save,
                      SoundFileName(dir, i, settings.savePrefix, settings.saveSuffix),
                      settings.maximize, buffer);
            ++written;
            if (progress) {
                progress(done, total);
            }
        }
    }
    beeper.beep();
    beeper.beep();
    beeper.beep();
    if (settings.deleteProcessed) {
        RemoveSystemFile(trackFileName);
    }
    return written;
}

}  // namespace talvik
