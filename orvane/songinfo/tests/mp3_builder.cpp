#include "mp3_builder.h"

#include <atomic>
#include <chrono>
#include <cstring>
#include <fstream>
#include <iterator>

namespace orvane::test {

std::array<std::uint8_t, 4> FrameHeaderBytes(const TFrameSpec& shape)
{
    return {
        0xFF,
        static_cast<std::uint8_t>(0xE0 | (shape.versionBits << 3) | (shape.layerBits << 1) | 0x01),
        static_cast<std::uint8_t>((shape.bitRateIndex << 4) | (shape.frequencyIndex << 2) | (shape.padding ? 2 : 0)),
        static_cast<std::uint8_t>(shape.mono ? 0xC0 : 0x00),
    };
}

int FrameBytes(const TFrameSpec& shape, int kbits, int hertz)
{
    const int pad = shape.padding ? 1 : 0;
    if (shape.layerBits == 3) return (12 * kbits * 1000 / hertz + pad) * 4;
    const int factor = (shape.layerBits == 1 && shape.versionBits != 3) ? 72 : 144;
    return factor * kbits * 1000 / hertz + pad;
}

TBytes Frames(const TFrameSpec& shape, int frameBytes, int count)
{
    const auto frame = static_cast<std::size_t>(frameBytes);
    TBytes bytes(frame * static_cast<std::size_t>(count), 0);
    const auto header = FrameHeaderBytes(shape);
    for (std::size_t at = 0; at < bytes.size(); at += frame) {
        for (std::size_t i = 0; i < header.size(); ++i) bytes[at + i] = header[i];
    }
    return bytes;
}

TBytes FramesOfSize(const TFrameSpec& shape, int frameBytes, std::size_t totalBytes)
{
    const int count = static_cast<int>(totalBytes / static_cast<std::size_t>(frameBytes)) + 1;
    TBytes bytes = Frames(shape, frameBytes, count);
    bytes.resize(totalBytes);
    return bytes;
}

namespace {
void PutBigEndian(TBytes& bytes, std::size_t at, std::uint32_t value)
{
    bytes[at] = static_cast<std::uint8_t>(value >> 24);
    bytes[at + 1] = static_cast<std::uint8_t>(value >> 16);
    bytes[at + 2] = static_cast<std::uint8_t>(value >> 8);
    bytes[at + 3] = static_cast<std::uint8_t>(value);
}
}  // namespace

TBytes XingFrame(const TFrameSpec& shape, int frameBytes, int xingOffset, const char* marker, std::uint32_t frames)
{
    TBytes bytes = Frames(shape, frameBytes, 1);
    const auto at = static_cast<std::size_t>(xingOffset);
    std::memcpy(bytes.data() + at, marker, 4);
    PutBigEndian(bytes, at + 4, 0x0F);  // frames, bytes, TOC and quality present
    PutBigEndian(bytes, at + 8, frames);
    return bytes;
}

TBytes VbriFrame(const TFrameSpec& shape, int frameBytes, std::uint32_t frames)
{
    TBytes bytes = Frames(shape, frameBytes, 1);
    std::memcpy(bytes.data() + 36, "VBRI", 4);
    bytes[41] = 1;  // version 1
    PutBigEndian(bytes, 46, 123456);  // stream bytes
    PutBigEndian(bytes, 50, frames);
    return bytes;
}

TBytes Id3v2Tag(std::uint32_t bodyBytes, std::int64_t declaredBody)
{
    const auto declared = static_cast<std::uint32_t>(declaredBody < 0 ? bodyBytes : declaredBody);
    TBytes bytes = {'I', 'D', '3', 3, 0, 0,
                    static_cast<std::uint8_t>((declared >> 21) & 0x7F), static_cast<std::uint8_t>((declared >> 14) & 0x7F),
                    static_cast<std::uint8_t>((declared >> 7) & 0x7F), static_cast<std::uint8_t>(declared & 0x7F)};
    // A body that could fool a careless sync search.
    for (std::uint32_t i = 0; i < bodyBytes; ++i) bytes.push_back(i % 7 == 0 ? 0xFF : 0xFB);
    return bytes;
}

TBytes Id3v1Tag(const std::string& title, std::uint8_t genre)
{
    TBytes bytes(128, 0);
    std::memcpy(bytes.data(), "TAG", 3);
    std::memcpy(bytes.data() + 3, title.data(), std::min<std::size_t>(title.size(), 30));
    bytes[127] = genre;
    return bytes;
}

TBytes Join(std::initializer_list<TBytes> parts)
{
    TBytes bytes;
    for (const TBytes& part : parts) bytes.insert(bytes.end(), part.begin(), part.end());
    return bytes;
}

TTempFolder::TTempFolder()
{
    static std::atomic<int> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    path_ = std::filesystem::temp_directory_path() /
            ("orvane-songinfo-" + std::to_string(stamp) + "-" + std::to_string(counter++));
    std::filesystem::create_directories(path_);
}

TTempFolder::~TTempFolder()
{
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(path_, error)) {
        std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, error);
    }
    std::filesystem::remove_all(path_, error);
}

std::filesystem::path TTempFolder::Write(const std::string& name, const TBytes& bytes) const
{
    const auto path = path_ / name;
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return path;
}

TBytes TTempFolder::Read(const std::string& name) const
{
    std::ifstream in(path_ / name, std::ios::binary);
    return TBytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace orvane::test
