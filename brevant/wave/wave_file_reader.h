// Reads a RIFF WAVE file: finds the "WAVE" form, reads its whole "fmt " chunk
// and gives sequential access to the "data" chunk. The one reader used by track
// validation, playback, song length and render.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "binary_file.h"
#include "sample_converter.h"
#include "status.h"
#include "wave_format.h"

namespace brevant {

enum class WaveOpenError {
    None,
    CannotOpen,    // the file cannot be opened for reading
    NotWave,       // no RIFF chunk of form "WAVE"
    NoFmtChunk,    // the form holds no "fmt " chunk
    FormatUnread,  // the "fmt " chunk is cut short or smaller than a PCM record
    NoDataChunk,   // the form holds no "data" chunk
};

// The message a user sees for an open error (ok for None).
Status waveOpenStatus(WaveOpenError error);

class WaveFileReader {
  public:
    // A reader that converts delivers a track of another sample format (see SampleConverter)
    // as 16-bit PCM: format() is then 16-bit PCM at the file's frequency and channels, and
    // dataSize(), read() and skip() count 16-bit bytes. 16-bit PCM is read as it lies.
    void convertTo16Bit(bool dither) {
        converting_ = true;
        dither_ = dither;
    }
    // Every reader made after this converts, dithered: for a program that takes such tracks
    // without writing converted files (brevant-render).
    static void convertAllTo16Bit() { convertAll_ = true; }

    // The format as the file holds it, and how it is converted (nothing when it is not).
    const WaveFormat& fileFormat() const { return fileFormat_; }
    const SampleConverter* converter() const { return converter_.get(); }

    // Opens the file and reads its format; the "data" chunk is not looked at.
    WaveOpenError open(const std::string& path);
    // Finds the "data" chunk and places the read position at its start.
    WaveOpenError findData();
    bool close() { return file_.close(); }

    const WaveFormat& format() const { return format_; }
    // Bytes of the "data" chunk. A chunk that claims more than the file holds
    // (a take whose recording was cut off) is taken as what the file holds.
    std::uint64_t dataSize() const { return dataSize_; }

    // Reads from the current position; returns the bytes read, or -1 on failure.
    std::int64_t read(void* dst, std::size_t n);
    // Advances the position by `n` bytes; false on failure.
    bool skip(std::uint64_t n);

  private:
    // Looks for chunk `id` between `from` and the end of the form; on success
    // `bodyStart` and `bodySize` describe it, the size bounded by the form.
    bool findChunk(const char* id, std::int64_t from, std::int64_t& bodyStart,
                   std::uint64_t& bodySize);

    std::int64_t readConverted(std::uint8_t* dst, std::size_t n);

    static inline bool convertAll_ = false;
    bool converting_ = convertAll_;
    bool dither_ = true;
    std::unique_ptr<SampleConverter> converter_;
    WaveFormat fileFormat_;
    std::int64_t sourceStart_ = 0;    // the "data" chunk's body
    std::uint64_t convertedPos_ = 0;  // in 16-bit bytes from the start of the data
    std::vector<std::uint8_t> sourceBlock_;
    std::vector<std::int16_t> convertedBlock_;

    BinaryFile file_;
    WaveFormat format_;
    std::int64_t formBodyStart_ = 0;  // first sub-chunk of the form
    std::int64_t formEnd_ = 0;        // end of the form, bounded by the file's size
    std::uint64_t dataSize_ = 0;
};

}  // namespace brevant
