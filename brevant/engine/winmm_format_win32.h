// The multimedia devices' description of a PCM format (Windows build only).
#pragma once

#include <windows.h>
#include <mmsystem.h>

#include "wave_format.h"

namespace brevant {

inline WAVEFORMATEX toPcmWaveFormat(const WaveFormat& format) {
    WAVEFORMATEX wfx{};
    wfx.wFormatTag = WAVE_FORMAT_PCM;
    wfx.nChannels = format.channels;
    wfx.nSamplesPerSec = format.samplesPerSec;
    wfx.wBitsPerSample = format.bitsPerSample;
    wfx.nBlockAlign = static_cast<WORD>(format.channels * format.bitsPerSample / 8);
    wfx.nAvgBytesPerSec = wfx.nBlockAlign * format.samplesPerSec;
    wfx.cbSize = 0;
    return wfx;
}

}  // namespace brevant
