// Five text buffers handed out in turn, so that five loaded strings stay valid at once.
#pragma once

#include <array>
#include <cstddef>

namespace nuvella {

class StringRing {
  public:
    static constexpr std::size_t kBuffers = 5;
    static constexpr std::size_t kBufferSize = 512;

    // The next buffer, starting with buffer 0; the one handed out five calls ago is reused.
    char* next() {
        char* buffer = buffers_[next_].data();
        next_ = (next_ + 1) % kBuffers;
        buffer[0] = '\0';
        return buffer;
    }

  private:
    std::array<std::array<char, kBufferSize>, kBuffers> buffers_{};
    std::size_t next_ = 0;
};

}  // namespace nuvella
