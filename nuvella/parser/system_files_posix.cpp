#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "readable_file.h"

namespace nuvella {
namespace {

class PosixFile final : public ReadableFile {
  public:
    explicit PosixFile(int descriptor) : descriptor_(descriptor) {}
    ~PosixFile() override { close(descriptor_); }
    PosixFile(const PosixFile&) = delete;
    PosixFile& operator=(const PosixFile&) = delete;

    std::optional<std::size_t> read(char* into, std::size_t size) override {
        for (;;) {
            const ssize_t got = ::read(descriptor_, into, size);
            if (got >= 0) {
                return static_cast<std::size_t>(got);
            }
            if (errno != EINTR) {
                return std::nullopt;
            }
        }
    }

    std::optional<std::uint64_t> reportedSize() override {
        struct stat status {};
        if (fstat(descriptor_, &status) != 0 || !S_ISREG(status.st_mode)) {
            return std::nullopt;
        }
        return static_cast<std::uint64_t>(status.st_size);
    }

  private:
    int descriptor_;
};

class PosixFiles final : public FileOpener {
  public:
    std::unique_ptr<ReadableFile> open(const std::string& path) override {
        const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (descriptor < 0) {
            return nullptr;
        }
        return std::make_unique<PosixFile>(descriptor);
    }
};

}  // namespace

FileOpener& systemFiles() {
    static PosixFiles files;
    return files;
}

}  // namespace nuvella
