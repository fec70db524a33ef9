#include "issue_file.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <vector>

namespace nuvella {
namespace {

constexpr std::size_t kChunk = 1 << 16;
constexpr std::size_t kMaxProbe = 4096;

// Appends whatever is left after the expected size: the file grew while it was read.
bool readRest(std::ifstream& in, IssueFile& file) {
    std::vector<char> rest;
    char chunk[4096];
    while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
        rest.insert(rest.end(), chunk, chunk + in.gcount());
    }
    if (in.bad()) {
        return false;
    }
    if (!rest.empty()) {
        auto grown = std::make_unique_for_overwrite<char[]>(file.size + rest.size());
        std::memcpy(grown.get(), file.bytes.get(), file.size);
        std::memcpy(grown.get() + file.size, rest.data(), rest.size());
        file.bytes = std::move(grown);
        file.size += rest.size();
    }
    return true;
}

}  // namespace

std::optional<IssueFile> readIssueFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    // Read a little first: a directory opens on some systems but gives nothing, and its
    // reported size must not decide an allocation.
    char probe[kMaxProbe];
    in.read(probe, sizeof probe);
    const auto probed = static_cast<std::size_t>(in.gcount());
    if (in.bad() || probed == 0) {
        return std::nullopt;
    }
    IssueFile file;
    if (probed < sizeof probe) {
        file.bytes = std::make_unique_for_overwrite<char[]>(probed);
        std::memcpy(file.bytes.get(), probe, probed);
        file.size = probed;
        return file;
    }
    in.clear();
    in.seekg(0, std::ios::end);
    const auto end = static_cast<std::streamoff>(in.tellg());
    in.seekg(static_cast<std::streamoff>(probed), std::ios::beg);
    if (!in || end < static_cast<std::streamoff>(probed)) {
        return std::nullopt;
    }
    const auto expected = static_cast<std::size_t>(end);
    file.bytes = std::make_unique_for_overwrite<char[]>(std::max(expected, probed));
    std::memcpy(file.bytes.get(), probe, probed);
    std::size_t filled = probed;
    while (filled < expected) {
        const auto want = static_cast<std::streamsize>(std::min(expected - filled, kChunk * 256));
        in.read(file.bytes.get() + filled, want);
        const auto got = static_cast<std::size_t>(in.gcount());
        filled += got;
        if (got == 0 || in.bad()) {
            break;
        }
    }
    if (in.bad()) {
        return std::nullopt;
    }
    file.size = filled;
    if (filled == expected) {
        in.clear();
        if (!readRest(in, file)) {
            return std::nullopt;
        }
    }
    return file;
}

std::size_t endAtCtrlZ(const char* bytes, std::size_t size) {
    const void* eof = std::memchr(bytes, 0x1A, size);
    return eof ? static_cast<std::size_t>(static_cast<const char*>(eof) - bytes) : size;
}

}  // namespace nuvella
