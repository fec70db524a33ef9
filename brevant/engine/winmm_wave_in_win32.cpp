#include "winmm_wave_in.h"

#include <windows.h>
// after windows.h, which it needs
#include <mmsystem.h>

#include <array>

#include "recording_engine.h"
#include "winmm_format_win32.h"

namespace brevant {

struct WinmmWaveIn::Impl {
    HWND window = nullptr;
    HWAVEIN handle = nullptr;
    std::uint32_t frameBytes = 2;
    // Fixed addresses for the adapter's life: a late notice never points at
    // freed memory.
    std::array<WAVEHDR, RecordingEngine::kBuffers> headers{};
    std::array<bool, RecordingEngine::kBuffers> prepared{};
    std::array<bool, RecordingEngine::kBuffers> queued{};

    // Queued and not yet marked done: the driver holds it.
    bool held(int slot) const {
        const auto s = static_cast<std::size_t>(slot);
        return queued[s] && (headers[s].dwFlags & WHDR_DONE) == 0;
    }
    bool valid(int slot) const { return slot >= 0 && slot < RecordingEngine::kBuffers; }
    WAVEHDR& header(int slot) { return headers[static_cast<std::size_t>(slot)]; }
};

WinmmWaveIn::WinmmWaveIn(void* window) : impl_(std::make_unique<Impl>()) {
    impl_->window = static_cast<HWND>(window);
}

WinmmWaveIn::~WinmmWaveIn() {
    if (impl_->handle == nullptr)
        return;
    waveInReset(impl_->handle);
    for (int slot = 0; slot < RecordingEngine::kBuffers; ++slot) unprepare(slot);
    close();
}

int WinmmWaveIn::open(const WaveFormat& format) {
    if (impl_->handle != nullptr)
        return MMSYSERR_ALLOCATED;
    WAVEFORMATEX wfx = toPcmWaveFormat(format);
    HWAVEIN handle = nullptr;
    const MMRESULT result = waveInOpen(
        &handle, WAVE_MAPPER, &wfx, reinterpret_cast<DWORD_PTR>(impl_->window), 0, CALLBACK_WINDOW);
    if (result != MMSYSERR_NOERROR)
        return static_cast<int>(result);
    impl_->handle = handle;
    impl_->frameBytes = wfx.nBlockAlign;
    impl_->prepared.fill(false);
    impl_->queued.fill(false);
    return 0;
}

int WinmmWaveIn::add(int slot, void* data, std::uint32_t bytes) {
    if (impl_->handle == nullptr)
        return MMSYSERR_INVALHANDLE;
    if (!impl_->valid(slot))
        return MMSYSERR_INVALPARAM;
    const auto s = static_cast<std::size_t>(slot);
    // A header the driver still holds is never filled in again.
    if (impl_->held(slot))
        return WAVERR_STILLPLAYING;
    WAVEHDR& h = impl_->header(slot);
    // A buffer handed back keeps its preparation; a new one is prepared once.
    if (!impl_->prepared[s] || h.lpData != static_cast<LPSTR>(data) || h.dwBufferLength != bytes) {
        unprepare(slot);
        if (impl_->prepared[s])
            return WAVERR_STILLPLAYING;
        h = WAVEHDR{};
        h.lpData = static_cast<LPSTR>(data);
        h.dwBufferLength = bytes;
        const MMRESULT result = waveInPrepareHeader(impl_->handle, &h, sizeof(WAVEHDR));
        if (result != MMSYSERR_NOERROR)
            return static_cast<int>(result);
        impl_->prepared[s] = true;
    }
    h.dwBytesRecorded = 0;
    const MMRESULT result = waveInAddBuffer(impl_->handle, &h, sizeof(WAVEHDR));
    if (result != MMSYSERR_NOERROR)
        return static_cast<int>(result);
    impl_->queued[s] = true;
    return 0;
}

void WinmmWaveIn::unprepare(int slot) {
    if (impl_->handle == nullptr || !impl_->valid(slot) ||
        !impl_->prepared[static_cast<std::size_t>(slot)])
        return;
    if (impl_->held(slot))
        return;
    if (waveInUnprepareHeader(impl_->handle, &impl_->header(slot), sizeof(WAVEHDR)) ==
        MMSYSERR_NOERROR) {
        impl_->prepared[static_cast<std::size_t>(slot)] = false;
    }
}

void WinmmWaveIn::start() {
    if (impl_->handle != nullptr)
        waveInStart(impl_->handle);
}

void WinmmWaveIn::reset() {
    if (impl_->handle != nullptr)
        waveInReset(impl_->handle);
}

int WinmmWaveIn::close() {
    if (impl_->handle == nullptr)
        return MMSYSERR_INVALHANDLE;
    const MMRESULT result = waveInClose(impl_->handle);
    if (result != MMSYSERR_NOERROR)
        return static_cast<int>(result);
    impl_->handle = nullptr;
    impl_->prepared.fill(false);
    impl_->queued.fill(false);
    return 0;
}

std::uint32_t WinmmWaveIn::positionSamples() {
    if (impl_->handle == nullptr)
        return 0;
    MMTIME time{};
    time.wType = TIME_SAMPLES;
    if (waveInGetPosition(impl_->handle, &time, sizeof(MMTIME)) != MMSYSERR_NOERROR)
        return 0;
    if (time.wType == TIME_SAMPLES)
        return time.u.sample;
    if (time.wType == TIME_BYTES)
        return time.u.cb / impl_->frameBytes;
    return 0;
}

std::uint32_t WinmmWaveIn::bytesRecorded(int slot) {
    if (!impl_->valid(slot))
        return 0;
    const WAVEHDR& h = impl_->header(slot);
    // Only a buffer the device has handed back holds a settled count.
    if ((h.dwFlags & WHDR_DONE) == 0)
        return 0;
    return h.dwBytesRecorded;
}

int WinmmWaveIn::slotOfNotice(std::uintptr_t device, std::intptr_t header) {
    if (impl_->handle == nullptr || device != reinterpret_cast<std::uintptr_t>(impl_->handle))
        return -1;
    const auto* h = reinterpret_cast<const WAVEHDR*>(header);
    for (int slot = 0; slot < RecordingEngine::kBuffers; ++slot) {
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

int WinmmWaveIn::slotOfNotice(std::intptr_t header) {
    return slotOfNotice(reinterpret_cast<std::uintptr_t>(impl_->handle), header);
}

}  // namespace brevant
