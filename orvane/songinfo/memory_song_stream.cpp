#include "memory_song_stream.h"

#include <algorithm>

namespace orvane {

std::optional<std::uint64_t> TMemorySongStream::Size()
{
    if (failSize_) return std::nullopt;
    return bytes_.size();
}

std::size_t TMemorySongStream::ReadAt(std::uint64_t offset, std::span<std::uint8_t> out)
{
    ++readCount_;
    if (offset >= bytes_.size()) return 0;
    const std::size_t count = std::min<std::size_t>(out.size(), bytes_.size() - offset);
    std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(offset), count, out.begin());
    return count;
}

bool TMemorySongStream::WriteAt(std::uint64_t offset, std::span<const std::uint8_t> data)
{
    std::size_t count = data.size();
    const bool fails = writeLimit_ && *writeLimit_ < count;
    if (fails) count = *writeLimit_;
    if (offset + count > bytes_.size()) bytes_.resize(offset + count);
    std::copy_n(data.begin(), count, bytes_.begin() + static_cast<std::ptrdiff_t>(offset));
    return !fails;
}

bool TMemorySongStream::Truncate(std::uint64_t size)
{
    if (size < bytes_.size()) bytes_.resize(size);
    return true;
}

}  // namespace orvane
