// Builds small MPEG audio files byte by byte for the tests.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace orvane::test {

using TBytes = std::vector<std::uint8_t>;

struct TFrameSpec {
    int versionBits = 3;   // 3 MPEG-1, 2 MPEG-2, 0 MPEG-2.5
    int layerBits = 1;     // 3 layer I, 2 layer II, 1 layer III
    int bitRateIndex = 9;  // 128 kbit/s for MPEG-1 layer III
    int frequencyIndex = 0;
    bool padding = false;
    bool mono = false;
};

std::array<std::uint8_t, 4> FrameHeaderBytes(const TFrameSpec& shape);
// Length of one frame of shape, worked out from the given rates.
int FrameBytes(const TFrameSpec& shape, int kbits, int hertz);
// count frames of frameBytes each: a header then zero bytes.
TBytes Frames(const TFrameSpec& shape, int frameBytes, int count);
// Frames repeated until exactly totalBytes (the last one cut short).
TBytes FramesOfSize(const TFrameSpec& shape, int frameBytes, std::size_t totalBytes);
// A first frame carrying a "Xing" or "Info" header with a frame count.
TBytes XingFrame(const TFrameSpec& shape, int frameBytes, int xingOffset, const char* marker, std::uint32_t frames);
// A first frame carrying a VBRI header with a frame count.
TBytes VbriFrame(const TFrameSpec& shape, int frameBytes, std::uint32_t frames);
// An ID3v2.3 tag with a body of bodyBytes (the size field says declaredBody
// when given).
TBytes Id3v2Tag(std::uint32_t bodyBytes, std::int64_t declaredBody = -1);
// A 128-byte ID3 version 1 tag with this title and genre.
TBytes Id3v1Tag(const std::string& title, std::uint8_t genre);

TBytes Join(std::initializer_list<TBytes> parts);

// A file in a fresh temporary folder, removed with the object.
class TTempFolder {
public:
    TTempFolder();
    ~TTempFolder();
    std::filesystem::path Write(const std::string& name, const TBytes& bytes) const;
    TBytes Read(const std::string& name) const;
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

}  // namespace orvane::test
