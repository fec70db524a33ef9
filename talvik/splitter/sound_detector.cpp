#include "sound_detector.h"

#include <bit>
#include <cstring>

namespace talvik {

namespace {

struct Lanes8 {
    using T = std::uint8_t;
    static constexpr std::int64_t kChunk = 64;
    static T Load(const std::uint8_t* d, std::int64_t i) { return d[i]; }
};

struct Lanes16 {
    using T = std::uint16_t;
    static constexpr std::int64_t kChunk = 32;
    static T Load(const std::uint8_t* d, std::int64_t i) {
        if constexpr (std::endian::native == std::endian::little) {
            T v;
            std::memcpy(&v, d + 2 * i, sizeof v);
            return v;
        } else {
            return static_cast<T>(d[2 * i] | (d[2 * i + 1] << 8));
        }
    }
};

template <typename L>
class Scanner {
  public:
    using T = typename L::T;
    Scanner(const std::uint8_t* data, T offset, T width)
        : data_(data), offset_(offset), width_(width) {}

    bool loud(std::int64_t i) const {
        return static_cast<T>(L::Load(data_, i) - offset_) >= width_;
    }

    // A fixed-length max reduction: vectorised, no early exit inside the chunk.
    bool anyLoudChunk(std::int64_t i) const {
        T top = 0;
        for (std::int64_t k = 0; k < L::kChunk; ++k) {
            T v = static_cast<T>(L::Load(data_, i + k) - offset_);
            top = v > top ? v : top;
        }
        return top >= width_;
    }

    // First loud sample in [i, n), or -1.
    std::int64_t firstLoud(std::int64_t i, std::int64_t n) const {
        for (; i + L::kChunk <= n; i += L::kChunk) {
            if (anyLoudChunk(i)) {
                break;
            }
        }
        for (; i < n; ++i) {
            if (loud(i)) {
                return i;
            }
        }
        return -1;
    }

    // Last loud sample in [i, j), or -1. The near end is tried sample by sample
    // first: inside a sound a loud sample is usually close.
    std::int64_t lastLoud(std::int64_t i, std::int64_t j) const {
        for (std::int64_t stop = j - 8 > i ? j - 8 : i; j > stop;) {
            if (loud(--j)) {
                return j;
            }
        }
        for (; j - L::kChunk >= i; j -= L::kChunk) {
            if (anyLoudChunk(j - L::kChunk)) {
                break;
            }
        }
        while (j > i) {
            if (loud(--j)) {
                return j;
            }
        }
        return -1;
    }

  private:
    const std::uint8_t* data_;
    T offset_;
    T width_;
};

template <typename L>
void Scan(const std::uint8_t* data, std::int64_t n, typename L::T offset, typename L::T width,
          std::int64_t silence, SoundDetector::State& st, std::vector<Sound>& out) {
    const Scanner<L> scan(data, offset, width);
    std::int64_t i = 0;
    while (i < n) {
        if (!st.inSound && st.run >= 10) {
            // Quiet samples change nothing here but the count: find the next loud one.
            std::int64_t f = scan.firstLoud(i, n);
            if (f < 0) {
                st.run += n - i;
                break;
            }
            st.run = 0;
            st.inSound = true;
            st.start = st.base + f;
            i = f + 1;
        } else if (!st.inSound) {
            // Fewer than 10 quiet samples after a close (Silence 8 or less): the plain
            // rules, sample by sample, until the count settles.
            st.run = scan.loud(i) ? 0 : st.run + 1;
            if (st.run < 10) {
                st.start = st.base + i;
                st.inSound = true;
            }
            if (st.inSound && st.run > silence && st.base + i - st.run - st.start > 0) {
                out.push_back({st.start, st.base + i - st.run});
                st.inSound = false;
            }
            ++i;
        } else if (st.run > silence) {
            // A sound of no length stays open: its end stays the same while quiet
            // samples follow, so only the next loud sample matters.
            std::int64_t f = scan.firstLoud(i, n);
            if (f < 0) {
                st.run += n - i;
                break;
            }
            st.run = 0;
            i = f + 1;
        } else {
            const std::int64_t need = silence + 1 - st.run;
            if (need > n - i) {
                std::int64_t h = scan.lastLoud(i, n);
                st.run = h < 0 ? st.run + (n - i) : n - 1 - h;
                break;
            }
            const std::int64_t j = i + need - 1;
            if (scan.loud(j)) {
                st.run = 0;
                i = j + 1;
                continue;
            }
            std::int64_t h = scan.lastLoud(i, j);
            i = j + 1;
            if (h >= 0) {
                st.run = j - h;
                continue;
            }
            st.run = silence + 1;
            std::int64_t end = st.base + j - st.run;
            if (end - st.start > 0) {
                out.push_back({st.start, end});
                st.inSound = false;
            }
        }
    }
    st.base += n;
}

}  // namespace

void SoundDetector::reset(const TriggerParams& params) {
    params_ = params;
    sounds_.clear();
    state_ = State{};
    carry_ = -1;
    // Quiet is low < w < high, i.e. (w - (low + 1)) < high - low - 1 in unsigned
    // arithmetic; the offset is moved from working values to raw lane values.
    const int low = params.centre() - params.noiseBand;
    const int high = params.centre() + params.noiseBand;
    const int width = high - low - 1 > 0 ? high - low - 1 : 0;
    int offset = low + 1;
    if (params.load == SampleFormat::Raw8) {
        offset -= 128;
    } else if (Is16Bit(params.load)) {
        offset -= 32767;
    }
    const int modulus = Is16Bit(params.load) ? 65536 : 256;
    offset_ = static_cast<std::uint16_t>(((offset % modulus) + modulus) % modulus);
    width_ = static_cast<std::uint16_t>(width);
}

void SoundDetector::feed(const std::uint8_t* data, std::size_t bytes) {
    if (!Is16Bit(params_.load)) {
        Scan<Lanes8>(data, static_cast<std::int64_t>(bytes), static_cast<std::uint8_t>(offset_),
                     static_cast<std::uint8_t>(width_), params_.silence, state_, sounds_);
        return;
    }
    if (bytes == 0) {
        return;
    }
    if (carry_ >= 0) {
        // A sample split across two feeds is scanned on its own.
        const std::uint8_t joined[2] = {static_cast<std::uint8_t>(carry_), data[0]};
        carry_ = -1;
        Scan<Lanes16>(joined, 1, offset_, width_, params_.silence, state_, sounds_);
        ++data;
        --bytes;
    }
    Scan<Lanes16>(data, static_cast<std::int64_t>(bytes / 2), offset_, width_, params_.silence,
                  state_, sounds_);
    if (bytes % 2 != 0) {
        carry_ = data[bytes - 1];
    }
}

}  // namespace talvik
