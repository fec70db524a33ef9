#include "sample_format.h"

namespace talvik {

std::string_view Caption(SampleFormat f) {
    switch (f) {
        case SampleFormat::Raw8:
            return "8-bit RAW";
        case SampleFormat::Wav8:
            return "8-bit WAV";
        case SampleFormat::Bit16:
            return "16-bit";
    }
    return "";
}

std::string_view TrackExtension(SampleFormat f) {
    return f == SampleFormat::Wav8 ? ".WAV" : ".RAW";
}

std::string_view SaveSuffix(SampleFormat f) {
    return f == SampleFormat::Wav8 ? "WAV" : "RAW";
}

}  // namespace talvik
