// Times "Analyze" in the splitter's real window: the program's own start, the 16-bit
// load format clicked, then the Analyze button pressed --reps times; prints the best.
//
//   talvik_window_bench.exe SOURCEDIR\ [REPS]
//
// SOURCEDIR holds track01.RAW, 16-bit; the time excludes the program's start.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "resource.h"
#include "talvik_app_win32.h"

namespace {

class QuietHost : public talvik::TalvikHost {
  public:
    void beep() override {}
    void showError(HWND, const std::string& text) override {
        std::fprintf(stderr, "error: %s\n", text.c_str());
        failed = true;
    }
    void showNotice(HWND, const std::string&) override {}
    bool startProgram(const std::string&, int) override { return false; }
    bool failed = false;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: talvik_window_bench SOURCEDIR\\ [REPS]\n");
        return 2;
    }
    const int reps = argc > 2 ? std::atoi(argv[2]) : 3;
    char current[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof current, current);
    QuietHost host;
    talvik::SplitterFormState state(host, current);
    HWND form = talvik::startTalvik(GetModuleHandleA(nullptr), state, SW_SHOWNOACTIVATE);
    if (form == nullptr) {
        std::fprintf(stderr, "the window could not be made\n");
        return 1;
    }
    SetDlgItemTextA(form, IDC_EDIT1, argv[1]);
    SendDlgItemMessageA(form, IDC_RADIOBUTTON5, BM_CLICK, 0, 0);
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    double best = 1e30;
    for (int r = 0; r < reps && !host.failed; ++r) {
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        SendDlgItemMessageA(form, IDC_BUTTON6, BM_CLICK, 0, 0);
        QueryPerformanceCounter(&end);
        const double seconds = static_cast<double>(end.QuadPart - start.QuadPart) /
                               static_cast<double>(frequency.QuadPart);
        best = seconds < best ? seconds : best;
    }
    char track[256] = "";
    char found[256] = "";
    GetDlgItemTextA(form, IDC_LABEL20, track, sizeof track);
    GetDlgItemTextA(form, IDC_LABEL1, found, sizeof found);
    std::printf("window Analyze: best of %d %.3f s; Track %s; Samples found: %s\n", reps, best,
                track, found);
    PostMessageA(form, WM_CLOSE, 0, 0);
    talvik::runMessageLoop(state);
    return host.failed ? 1 : 0;
}
