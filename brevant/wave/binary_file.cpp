#include "binary_file.h"

#include "system_path.h"

namespace brevant {

namespace {

int seekTo(std::FILE* f, std::int64_t offset, int origin) {
#ifdef _WIN32
    return _fseeki64(f, offset, origin);
#else
    return fseeko(f, static_cast<off_t>(offset), origin);
#endif
}

std::int64_t tellOf(std::FILE* f) {
#ifdef _WIN32
    return _ftelli64(f);
#else
    return static_cast<std::int64_t>(ftello(f));
#endif
}

}  // namespace

BinaryFile& BinaryFile::operator=(BinaryFile&& other) noexcept {
    if (this != &other) {
        close();
        file_ = other.file_;
        other.file_ = nullptr;
    }
    return *this;
}

bool BinaryFile::open(const std::string& path, Mode mode) {
    close();
    file_ = openFile(path, mode == Mode::Read ? "rb" : "wb");
    if (file_ == nullptr)
        return false;
    std::setvbuf(file_, nullptr, _IONBF, 0);
    return true;
}

std::size_t BinaryFile::read(void* dst, std::size_t n) {
    if (file_ == nullptr)
        return 0;
    return std::fread(dst, 1, n, file_);
}

bool BinaryFile::readFailed() const {
    return file_ == nullptr || std::ferror(file_) != 0;
}

bool BinaryFile::write(const void* src, std::size_t n) {
    if (file_ == nullptr)
        return false;
    return std::fwrite(src, 1, n, file_) == n;
}

bool BinaryFile::seek(std::int64_t offset) {
    return file_ != nullptr && offset >= 0 && seekTo(file_, offset, SEEK_SET) == 0;
}

bool BinaryFile::skip(std::int64_t delta) {
    return file_ != nullptr && seekTo(file_, delta, SEEK_CUR) == 0;
}

std::int64_t BinaryFile::tell() const {
    return file_ == nullptr ? -1 : tellOf(file_);
}

std::int64_t BinaryFile::size() const {
    if (file_ == nullptr)
        return -1;
    const std::int64_t here = tellOf(file_);
    if (here < 0 || seekTo(file_, 0, SEEK_END) != 0)
        return -1;
    const std::int64_t end = tellOf(file_);
    if (seekTo(file_, here, SEEK_SET) != 0)
        return -1;
    return end;
}

bool BinaryFile::flush() {
    return file_ != nullptr && std::fflush(file_) == 0;
}

bool BinaryFile::close() {
    if (file_ == nullptr)
        return true;
    const bool ok = std::fclose(file_) == 0;
    file_ = nullptr;
    return ok;
}

bool readWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes) {
    BinaryFile file;
    if (!file.open(path, BinaryFile::Mode::Read))
        return false;
    bytes.clear();
    std::uint8_t piece[65536];
    for (std::size_t n; (n = file.read(piece, sizeof piece)) > 0;)
        bytes.insert(bytes.end(), piece, piece + n);
    return !file.readFailed();
}

}  // namespace brevant
