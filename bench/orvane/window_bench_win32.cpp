// orvane_window_bench (Windows, run under Wine): the main window's two large jobs, timed.
//   1. start with a 10,000-entry set: the set file read into the list view, shown;
//   2. Add of 1,000 files selected in the file list (each file's first frame is read).
// Prints milliseconds per run (best and median of five), wall clock and the thread's processor
// time (the latter is steadier on a machine busy with other work).
//   tools/wine-run build/windows/orvane/mainwindow/orvane_window_bench.exe
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "main_commands_win32.h"
#include "memory_player_seams.h"
#include "memory_settings_store.h"
#include "orvane_app_win32.h"
#include "resource.h"
#include "set_file_io.h"
#include "set_names.h"
#include "song_list.h"
#include "system_path.h"
#include "tag_record.h"

namespace {

using Clock = std::chrono::steady_clock;

class SilentDialogs final : public orvane::MainDialogs {
  public:
    int Message(HWND, std::string_view, UINT) override { return IDYES; }
    std::optional<std::string> Input(HWND, std::string_view, std::string_view) override {
        return {};
    }
    bool Properties(HWND, const std::string&, orvane::TOptions&) override { return false; }
    void Sets(HWND, orvane::TSetsDialogModel&, orvane::SetsDialogHost&) override {}
    std::optional<orvane::TSetRecord> NewSet(HWND) override { return {}; }
    void PickFont(HWND, LOGFONTA, void (*)(HWND, const LOGFONTA&), HWND) override {}
    std::optional<std::string> FindPlayer(HWND) override { return {}; }
};

void WriteSong(const std::string& name) {
    std::vector<unsigned char> bytes(417 * 40, 0);
    for (std::size_t at = 0; at < bytes.size(); at += 417) {
        bytes[at] = 0xFF;
        bytes[at + 1] = 0xFB;
        bytes[at + 2] = 0x90;
    }
    const orvane::TTagBytes tag = orvane::EncodeTag({"Title", "Artist", "", "1997", "", 17});
    bytes.insert(bytes.end(), tag.begin(), tag.end());
    std::FILE* file = std::fopen(name.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

double Milliseconds(Clock::time_point since) {
    return std::chrono::duration<double, std::milli>(Clock::now() - since).count();
}

// User and kernel time of this thread, in milliseconds.
double ThreadMilliseconds() {
    FILETIME created, exited, kernel, user;
    GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
    const auto ticks = [](const FILETIME& t) {
        return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) |
                                   t.dwLowDateTime);
    };
    return (ticks(kernel) + ticks(user)) / 10000.0;
}

// One timed job: wall clock and processor time.
struct Timer {
    Clock::time_point wall = Clock::now();
    double processor = ThreadMilliseconds();
    void Stop(std::vector<double>& walls, std::vector<double>& processors) const {
        walls.push_back(Milliseconds(wall));
        processors.push_back(ThreadMilliseconds() - processor);
    }
};

double Median(std::vector<double> runs) {
    std::sort(runs.begin(), runs.end());
    return runs[runs.size() / 2];
}

void Report(const char* what, const std::vector<double>& runs,
            const std::vector<double>& processor) {
    std::printf("%-44s best %8.1f ms  median %8.1f ms  processor median %8.1f ms\n", what,
                *std::min_element(runs.begin(), runs.end()), Median(runs), Median(processor));
}

}  // namespace

int main() {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    const std::string folder = std::string(temp) + "orvane-window-bench";
    const std::string songs = folder + "\\songs";
    CreateDirectoryA(folder.c_str(), nullptr);
    CreateDirectoryA(songs.c_str(), nullptr);
    for (int i = 0; i < 1000; ++i)
        WriteSong(songs + "\\Song " + std::to_string(10000 + i) + ".mp3");
    orvane::TSetFileImage image = orvane::DefaultSongListImage({});
    for (int i = 0; i < 10000; ++i) {
        image.entries.push_back(orvane::MakeSongEntry("C:\\Music\\Album " + std::to_string(i % 97),
                                                      "Track " + std::to_string(i) + ".mp3",
                                                      180 + i % 300));
    }
    orvane::SaveSetFile(orvane::SetFileName(orvane::SystemPath(folder), orvane::kDefaultSetName),
                        image);

    std::vector<double> starts;
    std::vector<double> adds;
    std::vector<double> startsProcessor;
    std::vector<double> addsProcessor;
    for (int run = 0; run < 5; ++run) {
        orvane::MemorySettingsStore store;
        store.WriteText("(Default)", "DontSplashScreen", "1");
        SilentDialogs dialogs;
        orvane::MemoryPlayerWindow playerWindow;
        orvane::MemoryPlayerShell shell;
        orvane::MemoryScreenSaver saver;
        orvane::TMainFormParams params;
        params.store = &store;
        params.dialogs = &dialogs;
        params.playerWindow = &playerWindow;
        params.playerShell = &shell;
        params.screenSaver = &saver;
        params.programFolder = folder;

        const Timer starting;
        HWND window = orvane::StartOrvane(GetModuleHandleA(nullptr), params);
        orvane::RunMessageLoop(window, nullptr, false);
        UpdateWindow(window);
        starting.Stop(starts, startsProcessor);

        orvane::TMainForm& form = *orvane::MainFormState(window);
        orvane::ChangeFolder(form, songs);
        SendMessageA(form.fileList, LB_SETSEL, TRUE, -1);
        const Timer adding;
        SendMessageA(window, WM_COMMAND, IDM_ADD, 0);
        orvane::RunMessageLoop(window, nullptr, false);
        UpdateWindow(window);
        adding.Stop(adds, addsProcessor);
        if (form.list.Count() != 11000)
            std::printf("unexpected count %d\n", form.list.Count());

        // Leave the set as it was for the next run.
        form.list.Assign(image.entries, -1);
        DestroyWindow(window);
        orvane::RunMessageLoop(window, nullptr, false);
    }
    Report("start with a 10,000-entry set, list shown", starts, startsProcessor);
    Report("Add 1,000 files to it", adds, addsProcessor);
    return 0;
}
