// Track > Insert of a track of another sample format: the modal dialog over the worker that
// writes the 16-bit copy, with its progress and STOP. The window stays responsive meanwhile.
#include "recorder_window_win32.h"

#include <commctrl.h>

#include <atomic>
#include <thread>

#include "resource.h"

namespace brevant {
namespace {

// Posted by the worker at its end. The progress is read on a timer instead: a message per
// step kept the dialog's queue so busy that its text and STOP were never painted.
constexpr UINT kConvertDone = WM_APP + 3;
constexpr UINT_PTR kProgressTimer = 1;
constexpr int kProgressSteps = 1000;

struct ConvertDialog {
    ConvertDialog(RecorderState& owner, std::string track, std::uint32_t songFrequency)
        : state(owner), path(std::move(track)), frequency(songFrequency) {}
    RecorderState& state;
    std::string path;
    std::uint32_t frequency;
    std::atomic<bool> stop{false};
    std::atomic<int> step{0};  // of kProgressSteps
    TrackConversion result;    // written by the worker, read once it has been joined
    std::thread worker;
};

void startConversion(ConvertDialog& convert, HWND dialog) {
    SetDlgItemTextA(dialog, IDC_CONVERT_FILE, convert.path.c_str());
    SendDlgItemMessageA(dialog, IDC_PROGRESS, PBM_SETRANGE32, 0, kProgressSteps);
    SetTimer(dialog, kProgressTimer, 100, nullptr);
    convert.worker = std::thread([&convert, dialog] {
        const auto progress = [&](std::uint64_t done, std::uint64_t total) {
            convert.step = static_cast<int>(done * kProgressSteps / (total > 0 ? total : 1));
            return !convert.stop.load();
        };
        convert.result = convertTrackTo16Bit(convert.path, convert.frequency, progress);
        PostMessageA(dialog, kConvertDone, 0, 0);
    });
}

// The worker is joined before the dialog ends: what it posted after that finds no window.
void endConversion(ConvertDialog& convert, HWND dialog, bool stop) {
    KillTimer(dialog, kProgressTimer);
    convert.stop = stop;
    if (convert.worker.joinable())
        convert.worker.join();
    EndDialog(dialog, convert.result.status ? IDOK : IDCANCEL);
}

INT_PTR convertMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        startConversion(*reinterpret_cast<ConvertDialog*>(lParam), dialog);
        return TRUE;
    }
    auto* convert = reinterpret_cast<ConvertDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (convert == nullptr)
        return FALSE;
    switch (message) {
        case WM_TIMER:
            SendDlgItemMessageA(dialog, IDC_PROGRESS, PBM_SETPOS,
                                static_cast<WPARAM>(convert->step.load()), 0);
            return TRUE;
        case kConvertDone:
            endConversion(*convert, dialog, false);
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) != IDCANCEL)
                return FALSE;
            endConversion(*convert, dialog, true);
            return TRUE;
        default:
            return FALSE;
    }
}

INT_PTR CALLBACK convertProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    ConvertDialog* convert =
        message == WM_INITDIALOG
            ? reinterpret_cast<ConvertDialog*>(lParam)
            : reinterpret_cast<ConvertDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
    return guardedDialog(convert != nullptr ? &convert->state : nullptr,
                         [&] { return convertMessage(dialog, message, wParam, lParam); });
}

}  // namespace

TrackConversion convertTrackWithProgress(RecorderState& state, const std::string& path,
                                         std::uint32_t frequency) {
    ConvertDialog convert(state, path, frequency);
    convert.result.status = Status::fail("The conversion window could not be shown.");
    state.dialogs.modalDialog(state.main, IDD_CONVERT, convertProc,
                              reinterpret_cast<LPARAM>(&convert));
    // A dialog that never came up leaves no worker behind.
    convert.stop = true;
    if (convert.worker.joinable())
        convert.worker.join();
    return convert.result;
}

}  // namespace brevant
