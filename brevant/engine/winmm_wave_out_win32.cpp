#include "winmm_wave_out.h"

#include <windows.h>
// after windows.h, which it needs
#include <mmsystem.h>

#include <array>

#include "playback_engine.h"
#include "winmm_format_win32.h"

namespace brevant {

struct WinmmWaveOut::Impl {
    HWND window = nullptr;
    HWAVEOUT handle = nullptr;
    std::uint32_t frameBytes = 4;
    // The headers stay at fixed addresses for the adapter's life, so a late
    // notice never points at freed memory.
    std::array<WAVEHDR, PlaybackEngine::kBuffers> headers{};
    std::array<bool, PlaybackEngine::kBuffers> prepared{};
    std::array<bool, PlaybackEngine::kBuffers> queued{};

    // Queued and not yet marked done: the driver holds it.
    bool held(int slot) const {
        const auto s = static_cast<std::size_t>(slot);
        return queued[s] && (headers[s].dwFlags & WHDR_DONE) == 0;
    }
    bool valid(int slot) const { return slot >= 0 && slot < PlaybackEngine::kBuffers; }
    WAVEHDR& header(int slot) { return headers[static_cast<std::size_t>(slot)]; }
};

WinmmWaveOut::WinmmWaveOut(void* window) : impl_(std::make_unique<Impl>()) {
    impl_->window = static_cast<HWND>(window);
}

WinmmWaveOut::~WinmmWaveOut() {
    if (impl_->handle == nullptr)
        return;
    waveOutReset(impl_->handle);
    for (int slot = 0; slot < PlaybackEngine::kBuffers; ++slot) unprepare(slot);
    close();
}

int WinmmWaveOut::open(const WaveFormat& format) {
    if (impl_->handle != nullptr)
        return MMSYSERR_ALLOCATED;
    WAVEFORMATEX wfx = toPcmWaveFormat(format);
    HWAVEOUT handle = nullptr;
    const MMRESULT result = waveOutOpen(
        &handle, WAVE_MAPPER, &wfx, reinterpret_cast<DWORD_PTR>(impl_->window), 0, CALLBACK_WINDOW);
    if (result != MMSYSERR_NOERROR)
        return static_cast<int>(result);
    impl_->handle = handle;
    impl_->frameBytes = wfx.nBlockAlign;
    impl_->prepared.fill(false);
    impl_->queued.fill(false);
    return 0;
}

void WinmmWaveOut::pause() {
    if (impl_->handle != nullptr)
        waveOutPause(impl_->handle);
}

void WinmmWaveOut::restart() {
    if (impl_->handle != nullptr)
        waveOutRestart(impl_->handle);
}

int WinmmWaveOut::write(int slot, const void* data, std::uint32_t bytes) {
    if (impl_->handle == nullptr)
        return MMSYSERR_INVALHANDLE;
    if (!impl_->valid(slot))
        return MMSYSERR_INVALPARAM;
    // A header the driver still holds is never filled in again.
    if (impl_->held(slot))
        return WAVERR_STILLPLAYING;
    unprepare(slot);
    if (impl_->prepared[static_cast<std::size_t>(slot)])
        return WAVERR_STILLPLAYING;
    impl_->queued[static_cast<std::size_t>(slot)] = false;
    WAVEHDR& h = impl_->header(slot);
    h = WAVEHDR{};
    h.lpData = static_cast<LPSTR>(const_cast<void*>(data));
    h.dwBufferLength = bytes;
    MMRESULT result = waveOutPrepareHeader(impl_->handle, &h, sizeof(WAVEHDR));
    if (result != MMSYSERR_NOERROR)
        return static_cast<int>(result);
    impl_->prepared[static_cast<std::size_t>(slot)] = true;
    result = waveOutWrite(impl_->handle, &h, sizeof(WAVEHDR));
    if (result != MMSYSERR_NOERROR)
        return static_cast<int>(result);
    impl_->queued[static_cast<std::size_t>(slot)] = true;
    return 0;
}

void WinmmWaveOut::unprepare(int slot) {
    if (impl_->handle == nullptr || !impl_->valid(slot) ||
        !impl_->prepared[static_cast<std::size_t>(slot)])
        return;
    if (impl_->held(slot))
        return;
    if (waveOutUnprepareHeader(impl_->handle, &impl_->header(slot), sizeof(WAVEHDR)) ==
        MMSYSERR_NOERROR) {
        impl_->prepared[static_cast<std::size_t>(slot)] = false;
    }
}

void WinmmWaveOut::reset() {
    if (impl_->handle != nullptr)
        waveOutReset(impl_->handle);
}

int WinmmWaveOut::close() {
    if (impl_->handle == nullptr)
        return MMSYSERR_INVALHANDLE;
    const MMRESULT result = waveOutClose(impl_->handle);
    if (result != MMSYSERR_NOERROR)
        return static_cast<int>(result);
    impl_->handle = nullptr;
    impl_->prepared.fill(false);
    impl_->queued.fill(false);
    return 0;
}

std::uint32_t WinmmWaveOut::positionSamples() {
    if (impl_->handle == nullptr)
        return 0;
    MMTIME time{};
    time.wType = TIME_SAMPLES;
    if (waveOutGetPosition(impl_->handle, &time, sizeof(MMTIME)) != MMSYSERR_NOERROR)
        return 0;
    // A driver may answer in another unit than the one asked for.
    if (time.wType == TIME_SAMPLES)
        return time.u.sample;
    if (time.wType == TIME_BYTES)
        return time.u.cb / impl_->frameBytes;
    return 0;
}

std::string WinmmWaveOut::errorText(int code) {
    char text[128] = {};
    if (waveOutGetErrorTextA(static_cast<MMRESULT>(code), text, sizeof(text)) != MMSYSERR_NOERROR) {
        return "Unidentified error. (waveOutWrite)";
    }
    return text;
}

int WinmmWaveOut::slotOfNotice(std::uintptr_t device, std::intptr_t header) {
    if (impl_->handle == nullptr || device != reinterpret_cast<std::uintptr_t>(impl_->handle))
        return -1;
    const auto* h = reinterpret_cast<const WAVEHDR*>(header);
    for (int slot = 0; slot < PlaybackEngine::kBuffers; ++slot) {
        const auto s = static_cast<std::size_t>(slot);
        if (&impl_->header(slot) != h || !impl_->queued[s])
            continue;
        if ((h->dwFlags & WHDR_DONE) == 0)
            return -1;
        impl_->queued[s] = false;
        return slot;
    }
    return -1;
}

int WinmmWaveOut::slotOfNotice(std::intptr_t header) {
    return slotOfNotice(reinterpret_cast<std::uintptr_t>(impl_->handle), header);
}

}  // namespace brevant
