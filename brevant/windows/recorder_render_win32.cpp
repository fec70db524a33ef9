// File > Render song: the modal dialog over the render worker, which renders
// its own copy of the song and reports through the dialog's queue.
#include "recorder_window_win32.h"

#include <commctrl.h>

#include <deque>
#include <mutex>
#include <utility>

#include "resource.h"
#include "song_renderer.h"

namespace brevant {
namespace {

constexpr UINT kRenderEvent = WM_APP + 1;

// ---- Render ----

// The worker's reports, queued for the dialog and taken on the main thread:
// the worker never waits for the window.
class PostedRenderEvents final : public RenderEvents {
  public:
    struct Event {
        enum class Kind { Range, Step, Message, Finished } kind;
        std::int64_t value = 0;
        std::string text, caption;
    };

    void setDialog(HWND dialog) { dialog_ = dialog; }
    void showMessage(const std::string& text, const std::string& caption) override {
        push({Event::Kind::Message, 0, text, caption});
    }
    void setProgressRange(std::int64_t high) override { push({Event::Kind::Range, high, {}, {}}); }
    void stepProgress() override { push({Event::Kind::Step, 0, {}, {}}); }
    void finished(RenderOutcome outcome) override {
        push({Event::Kind::Finished, static_cast<int>(outcome), {}, {}});
    }

    std::deque<Event> take() {
        std::lock_guard<std::mutex> lock(mutex_);
        return std::exchange(events_, {});
    }

  private:
    void push(Event event) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            events_.push_back(std::move(event));
        }
        PostMessageA(dialog_, kRenderEvent, 0, 0);
    }

    HWND dialog_ = nullptr;
    std::mutex mutex_;
    std::deque<Event> events_;
};

struct RenderDialog {
    explicit RenderDialog(RecorderState& owner) : state(owner), song(owner.song()) {}
    RecorderState& state;
    Song song;  // the worker's own copy: the live song may change under the modal loop
    PostedRenderEvents events;
    SongRenderer renderer{events};
    bool started = false;
};

void startRender(RenderDialog& render, HWND dialog) {
    render.events.setDialog(dialog);
    const auto chosen =
        chooseFile(render.state, dialog, true, "Render song to WAV file:", FileKind::Wave);
    if (!chosen) {
        EndDialog(dialog, IDCANCEL);
        return;
    }
    const std::string path = withExtension(*chosen, ".wav");
    if (const Status refused = SongRenderer::checkOutputPath(render.song, path); !refused) {
        showBox(render.state, dialog, refused.message(), "Error:");
        return;
    }
    render.started = true;
    render.renderer.start(render.song, path, render.state.transport->songSeconds());
}

void takeRenderEvents(RenderDialog& render, HWND dialog) {
    HWND bar = GetDlgItem(dialog, IDC_PROGRESS);
    for (const auto& event : render.events.take()) {
        using Kind = PostedRenderEvents::Event::Kind;
        switch (event.kind) {
            case Kind::Range:
                SendMessageA(bar, PBM_SETRANGE32, 0, static_cast<LPARAM>(event.value));
                SendMessageA(bar, PBM_SETSTEP, 1, 0);
                break;
            case Kind::Step:
                SendMessageA(bar, PBM_STEPIT, 0, 0);
                break;
            case Kind::Message:
                showBox(render.state, dialog, event.text,
                        event.caption.empty() ? nullptr : event.caption.c_str());
                break;
            case Kind::Finished:
                if (event.value == static_cast<int>(RenderOutcome::Completed)) {
                    render.renderer.join();
                    EndDialog(dialog, IDOK);
                }
                break;
        }
    }
}

void stopRender(RenderDialog& render, HWND dialog) {
    render.renderer.stop();
    showBox(render.state, dialog, "Operation aborted.", "User stop");
    render.renderer.join();
    EndDialog(dialog, IDCANCEL);
}

INT_PTR renderMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        startRender(*reinterpret_cast<RenderDialog*>(lParam), dialog);
        return TRUE;
    }
    auto* render = reinterpret_cast<RenderDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (render == nullptr)
        return FALSE;
    if (message == kRenderEvent) {
        takeRenderEvents(*render, dialog);
        return TRUE;
    }
    if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
        stopRender(*render, dialog);
        return TRUE;
    }
    return FALSE;
}

INT_PTR CALLBACK renderProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    RenderDialog* render =
        message == WM_INITDIALOG
            ? reinterpret_cast<RenderDialog*>(lParam)
            : reinterpret_cast<RenderDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
    return guardedDialog(render != nullptr ? &render->state : nullptr,
                         [&] { return renderMessage(dialog, message, wParam, lParam); });
}

}  // namespace

void renderSong(RecorderState& state) {
    RenderDialog render(state);
    state.dialogs.modalDialog(state.main, IDD_RENDER, renderProc,
                              reinterpret_cast<LPARAM>(&render));
}

}  // namespace brevant
