#include "issue_file.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace nuvella {
namespace {

// One read at most this large: progress stays visible to the system, and 32-bit counts fit.
constexpr std::size_t kMaxRead = std::size_t{1} << 30;

}  // namespace

std::optional<std::size_t> readIssueHead(ReadableFile& file, char* head) {
    std::size_t filled = 0;
    while (filled < kIssueHeadSize) {
        const auto got = file.read(head + filled, kIssueHeadSize - filled);
        if (!got) {
            return std::nullopt;
        }
        if (*got == 0) {
            break;
        }
        filled += *got;
    }
    return filled;
}

std::optional<IssueFile> readIssueRest(ReadableFile& file, const char* head, std::size_t headSize) {
    // The reported size only sizes the block: a file that grows or shrinks meanwhile is read
    // as it turns out to be. One byte more than expected lets the last read see the end.
    std::size_t capacity = headSize + 1;
    if (headSize == kIssueHeadSize) {
        const auto reported = file.reportedSize().value_or(0);
        if (reported >= headSize && reported < std::numeric_limits<std::size_t>::max() / 2) {
            capacity = static_cast<std::size_t>(reported) + 1;
        }
    }
    IssueFile whole;
    whole.bytes = TextBlock(capacity);
    std::memcpy(whole.bytes.get(), head, headSize);
    std::size_t filled = headSize;
    bool atEnd = headSize < kIssueHeadSize;
    while (!atEnd) {
        if (filled == whole.bytes.capacity()) {
            TextBlock grown(whole.bytes.capacity() * 2);
            std::memcpy(grown.get(), whole.bytes.get(), filled);
            whole.bytes = std::move(grown);
        }
        const std::size_t room = std::min(whole.bytes.capacity() - filled, kMaxRead);
        const auto got = file.read(whole.bytes.get() + filled, room);
        if (!got) {
            return std::nullopt;
        }
        filled += *got;
        atEnd = *got == 0;
    }
    whole.size = filled;
    return whole;
}

std::optional<IssueFile> readIssueFile(const std::string& path, FileOpener& files) {
    const auto file = files.open(path);
    if (!file) {
        return std::nullopt;
    }
    char head[kIssueHeadSize];
    const auto headSize = readIssueHead(*file, head);
    if (!headSize || *headSize == 0) {
        return std::nullopt;
    }
    return readIssueRest(*file, head, *headSize);
}

std::size_t endAtCtrlZ(const char* bytes, std::size_t size) {
    const void* eof = std::memchr(bytes, 0x1A, size);
    return eof ? static_cast<std::size_t>(static_cast<const char*>(eof) - bytes) : size;
}

}  // namespace nuvella
