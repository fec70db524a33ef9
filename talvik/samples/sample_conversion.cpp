#include "sample_conversion.h"

#include <cstring>

namespace talvik {

std::size_t ConvertBlock(SampleFormat load, SampleFormat save, const std::uint8_t* in,
                         std::size_t inBytes, std::uint8_t* out) {
    if (!Is16Bit(load)) {
        // 128 is added exactly when one side is 8-bit RAW and the other is not.
        bool flip = (load == SampleFormat::Raw8) != (save == SampleFormat::Raw8);
        if (flip) {
            for (std::size_t i = 0; i < inBytes; ++i) {
                out[i] = static_cast<std::uint8_t>(in[i] ^ 0x80);
            }
        } else if (out != in) {
            std::memmove(out, in, inBytes);
        }
        return inBytes;
    }
    std::size_t samples = inBytes / 2;
    if (Is16Bit(save)) {
        if (out != in) {
            std::memmove(out, in, samples * 2);
        }
        return samples * 2;
    }
    // 16 to 8 bits: the high byte of the little-endian sample, which is the signed
    // sample shifted right by 8.
    std::uint8_t flip = save == SampleFormat::Wav8 ? 0x80 : 0x00;
    for (std::size_t i = 0; i < samples; ++i) {
        out[i] = static_cast<std::uint8_t>(in[2 * i + 1] ^ flip);
    }
    return samples;
}

namespace {
int Signed8(SampleFormat f, std::uint8_t b) {
    return f == SampleFormat::Raw8 ? static_cast<std::int8_t>(b) : b - 128;
}
std::uint8_t Byte8(SampleFormat f, int s) {
    return static_cast<std::uint8_t>(f == SampleFormat::Raw8 ? s : s + 128);
}
int Scale(int s, int peak, int fullScale) {
    int magnitude = s < 0 ? -s : s;
    int scaled = (2 * magnitude * fullScale + peak) / (2 * peak);
    return s < 0 ? -scaled : scaled;
}
}  // namespace

int BlockPeak(SampleFormat load, const std::uint8_t* data, std::size_t bytes) {
    // Smallest and largest sample, in loops the compiler vectorises; the peak follows.
    int low = 0;
    int high = 0;
    if (Is16Bit(load)) {
        std::int16_t lo = 0;
        std::int16_t hi = 0;
        for (std::size_t i = 0; i + 1 < bytes; i += 2) {
            const std::int16_t v = ReadSample16(data + i);
            lo = v < lo ? v : lo;
            hi = v > hi ? v : hi;
        }
        low = lo;
        high = hi;
    } else if (load == SampleFormat::Raw8) {
        std::int8_t lo = 0;
        std::int8_t hi = 0;
        for (std::size_t i = 0; i < bytes; ++i) {
            const auto v = static_cast<std::int8_t>(data[i]);
            lo = v < lo ? v : lo;
            hi = v > hi ? v : hi;
        }
        low = lo;
        high = hi;
    } else {
        std::uint8_t lo = 128;
        std::uint8_t hi = 128;
        for (std::size_t i = 0; i < bytes; ++i) {
            lo = data[i] < lo ? data[i] : lo;
            hi = data[i] > hi ? data[i] : hi;
        }
        low = lo - 128;
        high = hi - 128;
    }
    return -low > high ? -low : high;
}

void MaximizeBlock(SampleFormat load, std::uint8_t* data, std::size_t bytes, int peak) {
    const int fullScale = FullScale(load);
    if (peak <= 0 || peak >= fullScale) {
        return;
    }
    if (Is16Bit(load)) {
        // floor((2|s|FS + peak) / 2peak) by a reciprocal: the half added to the numerator
        // keeps every quotient at least 1/(4 peak) away from an integer, far more than
        // the two roundings of a double can move it, so the result is exact.
        const double inverse = 1.0 / (2.0 * peak);
        for (std::size_t i = 0; i + 1 < bytes; i += 2) {
            const int s = ReadSample16(data + i);
            const int magnitude = s < 0 ? -s : s;
            const auto scaled =
                static_cast<int>((2.0 * magnitude * fullScale + peak + 0.5) * inverse);
            const auto u = static_cast<std::uint16_t>(s < 0 ? -scaled : scaled);
            data[i] = static_cast<std::uint8_t>(u & 0xFF);
            data[i + 1] = static_cast<std::uint8_t>(u >> 8);
        }
        return;
    }
    std::uint8_t table[256];
    for (int b = 0; b < 256; ++b) {
        table[b] = Byte8(load, Scale(Signed8(load, static_cast<std::uint8_t>(b)), peak, fullScale));
    }
    for (std::size_t i = 0; i < bytes; ++i) {
        data[i] = table[data[i]];
    }
}

}  // namespace talvik
